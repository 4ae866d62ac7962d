#pragma once

#include "editors/CopyMoveChoices.h"

#include <QDialog>

#include <functional>

class DialogHelp;
class HelpRequester;
class Prompter;
class QCheckBox;
class QRadioButton;
class QVBoxLayout;
class Shell;
class TLsDirTree20;

// "Selecció del directori de destí" for moving the list's files: a folder tree opened at the
// destination used last, whether files from different folders all go to the one folder or
// reproduce their tree, and whether the presentation's own files go there too. OK takes the
// folder shown selected and refuses one that does not exist or is on a CD. The copying dialog
// derives from it.
class TFSelectDirWhereCopyMove : public QDialog
{
    Q_OBJECT

public:
    TFSelectDirWhereCopyMove(const CopyMoveChoices &last, Prompter &prompter, Shell &shell,
                             QWidget *parent = nullptr);

    void setHelp(HelpRequester *help);
    DialogHelp *help() const { return m_help; }
    // How a folder on a CD is told; the file system's judgement by default.
    void setCdCheck(std::function<bool(const QString &)> isOnCD) { m_isOnCD = std::move(isOnCD); }

    // The choices as they stand; once accepted, the ones to keep for the next time.
    virtual CopyMoveChoices choices() const;
    TLsDirTree20 *tree() const { return m_tree; }

    QRadioButton *RB_OneDirectory;
    QRadioButton *RB_ReproduceTree;
    QCheckBox *CB_CopyPresentationFiles;

    void accept() override;

protected:
    TFSelectDirWhereCopyMove(const CopyMoveChoices &last, Prompter &prompter, Shell &shell,
                             TFileAction action, QWidget *parent);
    // Below the presentation files' box, for the copying dialog's own.
    QVBoxLayout *optionsLayout() const { return m_options; }
    // Sizes the dialog to its controls; again after a derived dialog adds its own.
    void fitToContents();

private:
    Prompter &m_prompter;
    TFileAction m_action;
    CopyMoveChoices m_last;
    std::function<bool(const QString &)> m_isOnCD;
    TLsDirTree20 *m_tree = nullptr;
    QVBoxLayout *m_options = nullptr;
    DialogHelp *m_help = nullptr;
};
