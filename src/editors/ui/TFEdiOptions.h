#pragma once

#include "config/ProgramOptions.h"
#include "files/HelpContexts.h"

#include <QDialog>

class DialogHelp;
class HelpRequester;
class Prompter;
class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QVBoxLayout;

// "Opcions d'edició": the options every file list editor shares (trimming the texts typed, the
// largest files shown as miniatures, the columns of the other kind of list, re-reading the file
// list when the program comes back). It edits a copy of the program options and hands it back
// on OK; the editors' own option dialogs derive from it and add their controls beside.
class TFEdiOptions : public QDialog
{
    Q_OBJECT

public:
    TFEdiOptions(const ProgramOptions &options, Prompter &prompter, QWidget *parent = nullptr);

    // "Ajuda" and F1 open the dialog's help; disabled until help is given.
    void setHelp(HelpRequester *help);
    DialogHelp *help() const { return m_help; }

    // The options as accepted; the copy given while the dialog has not been accepted.
    const ProgramOptions &options() const { return m_options; }

    QCheckBox *CB_TrimSpaces;
    QLineEdit *E_MaxBmpFileSize;
    QLineEdit *E_MaxOthersImgFileSize;
    QCheckBox *CB_HidePathExtInRigthPanel;
    QCheckBox *CB_FilesAutomaticReread;

    // Refuses the values that may not be kept (through the Prompter), else stores them.
    void accept() override;

protected:
    TFEdiOptions(const ProgramOptions &options, Prompter &prompter, HelpContext context,
                 QWidget *parent);
    // A column right of the shared options for a derived dialog's controls, made on first use.
    QVBoxLayout *extraColumn();
    // Checks the controls before they are stored; true when they may be. A derived dialog
    // checks its own after the base's.
    virtual bool validate();
    // Copies the controls into `options` (and a derived dialog's values of its own) once they
    // passed validate(); a derived dialog stores its own after the base's.
    virtual void storeControls(ProgramOptions &options);
    Prompter &prompter() const { return m_prompter; }

private:
    void build();

    ProgramOptions m_options;
    Prompter &m_prompter;
    HelpContext m_context;
    QHBoxLayout *m_columns = nullptr;
    QVBoxLayout *m_extra = nullptr;
    QLabel *m_bmpLabel = nullptr;
    QLabel *m_othersLabel = nullptr;
    DialogHelp *m_help = nullptr;
};
