#pragma once

#include "users/TDMAdminUsers.h"

#include <QStringList>

// The privilege preset of the administrator dialog: leave the privilege as typed, or force view
// only or editing on every user row posted.
enum class PrivilegePreset : std::uint8_t { All = 0, View = 1, Editing = 2 };

// The program's one users module: the users list with each user's privilege, and the domains
// list, "Domains.txt", naming the folder where the results of each domain's users go.
class TDMAdminUsersDomains : public TDMAdminUsers
{
public:
    TDMAdminUsersDomains();

    KeyedTable RMD_Domains;

    QString DomainsFilePath() const;
    // After a successful load every row's ValidDir says whether its folder exists now.
    Fallible<void> LoadDomains();
    bool HasDomains() const { return RMD_Domains.loaded() && RMD_Domains.rowCount() > 0; }
    Fallible<void> SaveDomains(Prompter &prompter);
    // Reloads the domains and answers the folder of `domain` (exact name) when it is valid;
    // "" otherwise.
    QString DomainDir(const QString &domain);
    QStringList domainNames() const;

    // The administrator dialog's presets, applied while it is open.
    bool presetsActive = false;
    QString groupPreset;
    PrivilegePreset privilegePreset = PrivilegePreset::All;
    // Set when a new user row takes the group preset: the grid moves on to the user column.
    bool cursorToUserColumn = false;

protected:
    void RMD_UsersAfterInsert() override;
    void RMD_UsersBeforePost() override;

private:
    void applyPrivilegePreset();
};
