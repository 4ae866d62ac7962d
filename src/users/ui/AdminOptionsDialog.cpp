#include "users/ui/AdminOptionsDialog.h"

#include "config/ProgramOptionsFile.h"
#include "config/TNewIniFile.h"
#include "files/FileNames.h"
#include "users/AdminOptions.h"
#include "users/TDMAdminUsersDomains.h"
#include "users/UserNames.h"
#include "users/ui/TFAdminisUsersDomains.h"
#include "users/ui/TFSetPassword.h"

#include <QTabWidget>

bool ShowAdminOptions(QWidget *parent, TDMAdminUsersDomains &users, Prompter &prompter,
                      ProgramWideOptions &wide, TWriteRes &adminResults,
                      const QString &programBaseName, HelpRequester *help,
                      AdminWindowMemory &memory, const std::function<int(QDialog &)> &run)
{
    AdminOptions options(
        users, prompter,
        [&prompter, parent, help](int maxLength) -> std::optional<QString> {
            TFSetPassword set(prompter, HelpContext::AdminUsers, help, parent);
            set.setMaxPasswordLength(maxLength);
            if (set.exec() != QDialog::Accepted)
                return std::nullopt;
            return set.newPassword();
        },
        programBaseName);
    options.open(wide.AdminPassword, wide.UseAdminPassword, wide.DBUsersDir);
    TFAdminisUsersDomains dialog(options, users, prompter, parent);
    dialog.setHelp(help);
    dialog.load(adminResults);
    if (memory.page >= 0 && memory.page < dialog.PageControl->count())
        dialog.PageControl->setCurrentIndex(memory.page);
    if (const auto geometry = memory.geometry.Restore())
        dialog.setGeometry(*geometry);
    const bool accepted = (run ? run(dialog) : dialog.exec()) == QDialog::Accepted;
    memory.page = dialog.PageControl->currentIndex();
    memory.geometry.Save(dialog.geometry());
    users.presetsActive = false;
    if (accepted) {
        wide.UseAdminPassword = options.passwordInUse();
        // Kept with its separator: the results configuration is this text + "Results.ini".
        wide.DBUsersDir = includeTrailingSeparator(options.usersDir());
        dialog.store(adminResults);
        if (wide.UseAdminPassword && !wide.DBUsersDir.isEmpty()) {
            TNewIniFile results(wide.DBUsersDir + QStringLiteral("Results.ini"));
            results.load();
            WriteWriteResults(results, adminResults);
            (void)results.UpdateFile(prompter);
        }
    }
    wide.AdminPassword = options.passwordAfterClose(accepted, wide.AdminPassword);
    return accepted;
}
