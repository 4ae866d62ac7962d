#pragma once

#include "editors/ChangeDirRows.h"

#include <QDialog>

#include <array>

class DialogHelp;
class HelpRequester;
class Prompter;
class QRadioButton;
class Shell;
class TLsDirTree20;

// "Canvia el directori": a folder tree opened at the directory used last, and which rows of the
// list move to the folder chosen. Without selected rows only "&Totes les diapositives" may be
// chosen. OK takes the folder shown selected and refuses one that does not exist.
class TFChangeDir : public QDialog
{
    Q_OBJECT

public:
    TFChangeDir(const QString &lastDirectory, bool anyRowSelected, Prompter &prompter, Shell &shell,
                QWidget *parent = nullptr);

    void setHelp(HelpRequester *help);
    DialogHelp *help() const { return m_help; }

    // The folder and the rows chosen; meaningful once accepted.
    ChangeDirChoice choice() const;
    TLsDirTree20 *tree() const { return m_tree; }
    QRadioButton *scopeButton(ChangeDirScope scope) const { return m_scopes[std::size_t(scope)]; }

    void accept() override;

private:
    Prompter &m_prompter;
    TLsDirTree20 *m_tree = nullptr;
    std::array<QRadioButton *, 4> m_scopes{};
    DialogHelp *m_help = nullptr;
};
