#pragma once

#include "options/GeneralOptionsValues.h"

#include <QDialog>

#include <functional>

class Prompter;
class DialogHelp;
class HelpRequester;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class TFrWriteResults;

// "Opcions generals del programa": one or several users, individual configurations, the user's
// results writing, which missing files are not warned about, what opening a presentation does,
// and the registration of the program's file types.
class TFGeneralOptions : public QDialog
{
    Q_OBJECT
public:
    TFGeneralOptions(const GeneralOptionsValues &values, Prompter &prompter,
                     QWidget *parent = nullptr);

    // "Ajuda" and F1 open the dialog's help; disabled until help is given (nullptr disables it
    // again). The requester must outlive the dialog.
    void setHelp(HelpRequester *help);
    DialogHelp *help() const { return m_help; }

    // The values as edited (those given, before OK).
    GeneralOptionsValues values() const;
    // OK with results writing on needs a folder that exists.
    void accept() override;

    // The two registration buttons act at once, whatever the dialog's outcome.
    std::function<void()> registerFileTypes;
    std::function<void()> unregisterFileTypes;

    QGroupBox *RG_UsersNumber;
    QRadioButton *RB_OneUser, *RB_SeveralUsers;
    QCheckBox *CB_UserConfiguration;
    TFrWriteResults *FR_WriteResults;
    QCheckBox *CB_NoWarningWhenNoSlideExist, *CB_NoWarningWhenNoAudioFNExist,
        *CB_NoWarningWhenNoOpenFNExist;
    QRadioButton *RB_OpenSalNone, *RB_OpenSalEdit, *RB_OpenSalCheck, *RB_OpenSalPlay;
    QPushButton *BB_Register, *BB_UnRegister;

private:
    GeneralOptionsValues m_values;
    Prompter &m_prompter;
    QButtonGroup *m_openSal;
    DialogHelp *m_help = nullptr;
};
