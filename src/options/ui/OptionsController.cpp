#include "options/ui/OptionsController.h"

#include "config/TModIniLS.h"
#include "files/FileNames.h"
#include "files/ProgramLayout.h"
#include "files/Prompter.h"
#include "options/GeneralOptionsValues.h"
#include "options/ModalOptionsRules.h"
#include "options/ui/OptionsDialogParts.h"
#include "options/ui/TFGeneralOptions.h"
#include "options/ui/TFModalOptions.h"
#include "options/ui/TFOutFormalOptions.h"
#include "options/ui/TFSpeedOptions.h"
#include "player/PlayerEngine.h"
#include "player/ui/MainWindowCommands.h"
#include "users/ui/AdminOptionsDialog.h"

#include <QAction>
#include <QCoreApplication>
#include <QStandardPaths>

OptionsController::OptionsController(TModIniLS &module, PlayerEngine &engine,
                                     MainWindowCommands &commands, Prompter &prompter)
    : MainWindowController(nullptr), m_module(module), m_engine(engine),
      m_session(engine.session()), m_commands(commands), m_prompter(prompter)
{
    m_registration.dataDir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    m_registration.programPath = QCoreApplication::applicationFilePath();
    m_registration.iconsDir = ProgramLayout(QCoreApplication::applicationDirPath()).iconsDir();
    chooseConfigFile = [this](const QString &current) {
        return askConfigSavePath(m_commands.dialogParent(), current);
    };

    // The mode dialog ends a run first (its pending command); the others open at once.
    m_commands.setCommandHandler(PendingCommandCode::ModalOptions, this,
                                 [this] { showModalOptions(); });
    const std::pair<QStringView, void (OptionsController::*)()> direct[] = {
        {u"A_V_Speed", &OptionsController::showSpeedOptions},
        {u"A_V_OutFormalOptions", &OptionsController::showOutFormalOptions},
        {u"A_F_GeneralOptions", &OptionsController::showGeneralOptions}};
    for (const auto &[name, show] : direct)
        if (QAction *a = m_commands.action(name))
            connect(a, &QAction::triggered, this, show);
    for (QStringView name :
         {u"A_V_ModalOptions", u"A_V_Speed", u"A_V_OutFormalOptions", u"A_F_GeneralOptions"})
        m_commands.setCommandAvailable(name, true);
}

int OptionsController::run(QDialog &dialog)
{
    return runDialog ? runDialog(dialog) : dialog.exec();
}

QString OptionsController::presentationName() const
{
    return m_session.isUnnamed() ? QString() : fileNameWithoutExt(m_session.SlideListPath);
}

void OptionsController::saveNow(int destination)
{
    saveSettingsNow(m_session, destination, chooseConfigFile);
}

void OptionsController::showModalOptions()
{
    const int slides = int(m_session.SlideLines.lines.size());
    PresentationSettings settings = m_session.Settings;
    if (const auto refusal = modalOptionsRefusal(settings, slides)) {
        m_prompter.ShowWarning(*refusal);
        if (settings.PresSort != m_session.Settings.PresSort)
            m_engine.applyEditedSettings(settings);
        return;
    }
    TFModalOptions dialog(settings, slides, MemorisationOffer::Offered, AnswerKinds::Both,
                          int(m_session.SaveDestination), presentationName(),
                          m_module.paths().ProgramBaseName, m_prompter, m_commands.dialogParent());
    dialog.setHelp(m_help);
    if (run(dialog) != QDialog::Accepted)
        return;
    m_session.SaveDestination = SaveDestination(dialog.saveDestination());
    m_engine.applyEditedSettings(dialog.settings());
    if (dialog.saveNowRequested())
        saveNow(dialog.saveDestination());
}

void OptionsController::showSpeedOptions()
{
    TFSpeedOptions dialog(m_session.Settings.ImageDelay, m_commands.dialogParent());
    dialog.setHelp(m_help);
    if (run(dialog) != QDialog::Accepted)
        return;
    PresentationSettings settings = m_session.Settings;
    settings.ImageDelay = dialog.imageDelay();
    m_engine.applyEditedSettings(settings);
}

void OptionsController::showOutFormalOptions()
{
    TFOutFormalOptions dialog(m_session.Settings, int(m_session.SaveDestination),
                              presentationName(), m_module.paths().ProgramBaseName,
                              m_commands.dialogParent());
    dialog.setHelp(m_help);
    if (run(dialog) != QDialog::Accepted)
        return;
    m_session.SaveDestination = SaveDestination(dialog.saveDestination());
    m_engine.applyEditedSettings(dialog.settings());
    if (dialog.saveNowRequested())
        saveNow(dialog.saveDestination());
}

void OptionsController::showGeneralOptions()
{
    ProgramWideOptions &wide = m_module.Wide;
    TFGeneralOptions dialog(generalOptionsFrom(wide, m_session.Options), m_prompter,
                            m_commands.dialogParent());
    dialog.setHelp(m_help);
    dialog.registerFileTypes = [this] { m_registration.RegisterFileTypes(m_prompter); };
    dialog.unregisterFileTypes = [this] { m_registration.UnregisterFileTypes(m_prompter); };
    if (run(dialog) != QDialog::Accepted)
        return;
    const bool severalBefore = wide.SeveralUsers;
    const bool passwordSet = wide.UseAdminPassword && !wide.AdminPassword.isEmpty();
    storeGeneralOptions(dialog.values(), wide, m_session.Options);
    m_session.SeveralUsers = wide.SeveralUsers;
    if (const auto message = adminAccessMessage(severalBefore, wide.SeveralUsers, passwordSet))
        m_prompter.ShowInfo(*message);
    // The administrator's options exist while several users share the program.
    if (QAction *admin = m_commands.action(u"A_F_AdminOptions"))
        admin->setVisible(m_session.AccessLevel == AccessLevel::Full && m_session.SeveralUsers);
    m_engine.programOptionsChanged();
}

void OptionsController::setUsers(TDMAdminUsersDomains &users)
{
    if (!m_users)
        if (QAction *admin = m_commands.action(u"A_F_AdminOptions"))
            connect(admin, &QAction::triggered, this, &OptionsController::showAdminOptions);
    m_users = &users;
    m_commands.setCommandAvailable(u"A_F_AdminOptions", true);
}

void OptionsController::showAdminOptions()
{
    if (!m_users)
        return;
    ShowAdminOptions(m_commands.dialogParent(), *m_users, m_prompter, m_module.Wide,
                     m_module.AdminResults, m_module.paths().ProgramBaseName, m_help, m_adminWindow,
                     [this](QDialog &dialog) { return run(dialog); });
    // A password chosen in the dialog is kept even when it is cancelled, and the results
    // written for the administrator follow what the dialog stored.
    m_session.AdminResults = m_module.AdminResults;
}
