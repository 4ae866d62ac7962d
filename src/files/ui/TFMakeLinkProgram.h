#pragma once

#include "files/Shortcut.h"

#include <QDialog>

class HelpRequester;
class QPushButton;
class QRadioButton;

// Asks where a shortcut to the program goes: the programs menu, the start menu or the desktop
// (the choice it starts with).
class TFMakeLinkProgram : public QDialog
{
    Q_OBJECT

public:
    explicit TFMakeLinkProgram(QWidget *parent = nullptr);

    SpecialFolder folder() const;
    void setFolder(SpecialFolder folder);
    QRadioButton *folderButton(SpecialFolder folder) const;
    // Help opens the topic of `context`; the button stays disabled until help is given.
    void setHelp(HelpRequester *help, int context);
    QPushButton *okButton() const { return m_ok; }
    QPushButton *helpButton() const { return m_helpButton; }

private:
    QRadioButton *m_programs = nullptr;
    QRadioButton *m_startMenu = nullptr;
    QRadioButton *m_desktop = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_helpButton = nullptr;
    HelpRequester *m_help = nullptr;
    int m_helpContext = 0;
};
