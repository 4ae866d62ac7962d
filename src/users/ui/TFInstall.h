#pragma once

#include "files/Fallible.h"
#include "users/SampleInstallation.h"

#include <QDialog>

#include <functional>

class HelpRequester;
class Prompter;
class QLabel;
class QPushButton;

// "Benvinguda i instal·lació d'exemples", shown at start-up until the examples are adapted. Its
// only button, "Fer-ho", copies the examples to the user when they are installed for everyone,
// adapts them to where they lie, and on success records it (`recordInstalled`) and says
// "Ja està". Closed without it, or when the adaptation fails, the dialog comes back at the next
// start. F1 opens the help's page on the examples.
class TFInstall : public QDialog
{
    Q_OBJECT
public:
    TFInstall(const ExamplesPlace &place, Prompter &prompter, HelpRequester *help,
              QWidget *parent = nullptr);

    // Called after every example was adapted; false when it could not be recorded.
    std::function<bool()> recordInstalled;

    QPushButton *installButton() const { return m_install; }
    // Runs "Fer-ho"; whether every example was adapted.
    bool install();
    bool installed() const { return m_installed; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    ExamplesPlace m_place;
    Prompter &m_prompter;
    HelpRequester *m_help;
    QPushButton *m_install;
    bool m_installed = false;
};
