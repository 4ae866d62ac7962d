#pragma once

#include "files/Fallible.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class Prompter;
class TDMAdminUsersDomains;

// The administrator dialog's rules without its widgets: whether the administrator password is
// in use and set, the users folder the lists come from, what is enabled, the table commands and
// the saving on close.
class AdminOptions
{
public:
    // Asks a new password of at most `maxLength` characters (TFSetPassword); nullopt: cancelled.
    using AskNewPassword = std::function<std::optional<QString>(int maxLength)>;

    AdminOptions(TDMAdminUsersDomains &users, Prompter &prompter, AskNewPassword askNewPassword,
                 QString programBaseName);

    // Opening: the program's administrator password, whether it is in use, the users folder.
    void open(const QString &adminPassword, bool useAdminPassword, const QString &usersDir);

    bool passwordInUse() const { return m_inUse; }
    const QString &password() const { return m_password; }
    bool passwordChanged() const { return m_changed; }
    const QString &usersDir() const { return m_dir; }

    // The "Actives" check box: switched on without a password set, one is asked for.
    void setPasswordInUse(bool inUse);
    // A folder chosen: on a CD it is refused (and cleared); otherwise the lists are read from it.
    void setUsersDir(const QString &dir);

    // The grids, navigators and table commands.
    bool tablesEnabled() const { return m_inUse && !m_password.isEmpty() && !m_dir.isEmpty(); }
    // The folder chooser and its label.
    bool folderEnabled() const { return m_inUse; }

    // "D'acord": with the password in use and none set, one is asked for; false keeps the dialog
    // open.
    bool checkBeforeOk();
    // Closing with either button: the lists are saved when the tables are enabled; false keeps
    // the dialog open.
    bool saveOnClose();
    // After closing: the administrator password the program keeps from now on, with the
    // warning when a changed password survives a cancelled dialog.
    QString passwordAfterClose(bool accepted, const QString &programPassword);

    // Table commands.
    void sortByGroupAndUser();
    void sortByUser();
    // Deletes the rows listed (any order); none: "Heu de seleccionar alguna fila".
    void deleteUserRows(std::vector<int> rows);
    void deleteDomainRows(std::vector<int> rows);
    // A_D_SetDir: the folder chosen in the tree becomes the domain row's folder.
    Fallible<void> setDomainDir(int row, const QString &folder);
    // A_D_SearchDir: the folder of the one selected domain, or its nearest existing parent.
    std::optional<QString> searchDomainDir(const std::vector<int> &selectedRows);

private:
    void loadLists();

    TDMAdminUsersDomains &m_users;
    Prompter &m_prompter;
    AskNewPassword m_askNewPassword;
    QString m_programBaseName;
    bool m_inUse = false;
    QString m_password;
    bool m_changed = false;
    QString m_dir;
};
