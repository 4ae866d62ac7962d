#pragma once

#include "files/Fallible.h"
#include "users/KeyedTable.h"

#include <QString>

class Prompter;

// The users list: group, user name and password of every user, kept in the users folder as
// "Users.txt". Names are unique without regard to case.
class TDMAdminUsers
{
public:
    TDMAdminUsers();
    virtual ~TDMAdminUsers() = default;
    TDMAdminUsers(const TDMAdminUsers &) = delete;
    TDMAdminUsers &operator=(const TDMAdminUsers &) = delete;

    KeyedTable RMD_Users;

    void SetUsersDir(const QString &dir) { m_usersDir = dir; }
    const QString &usersDir() const { return m_usersDir; }
    QString UsersFilePath() const;

    // A missing file fails with an empty message (an empty list); a file that cannot be read
    // fails with the reason; either way the table is left empty.
    Fallible<void> LoadUsers();
    bool HasUsers() const { return RMD_Users.loaded() && RMD_Users.rowCount() > 0; }
    // Failures have been shown through the prompter.
    Fallible<void> SaveUsers(Prompter &prompter);

    // The row of `name` compared without regard to case; -1 when not listed.
    int findUser(const QString &name) const;

protected:
    explicit TDMAdminUsers(std::vector<MemTable::Field> userFields);
    // Called after a user row is started and before one is posted.
    virtual void RMD_UsersAfterInsert() {}
    virtual void RMD_UsersBeforePost() {}
    // The list's file name in the users folder.
    QString listPath(const QString &fileName) const;

private:
    void bindHooks();
    QString m_usersDir;
};
