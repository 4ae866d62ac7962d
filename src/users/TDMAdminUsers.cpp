#include "users/TDMAdminUsers.h"

#include "files/FileNames.h"
#include "users/UserNames.h"

namespace {

std::vector<MemTable::Field> plainUserFields()
{
    using K = MemTable::FieldKind;
    return {{QStringLiteral("Group"), K::String, 4, false, false},
            {QStringLiteral("User"), K::String, 16, true, false},
            {QStringLiteral("Password"), K::String, kMaxPasswordLength, false, false}};
}

} // namespace

TDMAdminUsers::TDMAdminUsers() : TDMAdminUsers(plainUserFields()) {}

TDMAdminUsers::TDMAdminUsers(std::vector<MemTable::Field> userFields)
    : RMD_Users(QStringLiteral("RMD_Users"), std::move(userFields), QStringLiteral("User"))
{
    bindHooks();
}

void TDMAdminUsers::bindHooks()
{
    // Virtual calls made later, once the object is whole.
    RMD_Users.afterInsert = [this] { RMD_UsersAfterInsert(); };
    RMD_Users.beforePost = [this] { RMD_UsersBeforePost(); };
}

QString TDMAdminUsers::listPath(const QString &fileName) const
{
    return includeTrailingSeparator(m_usersDir) + fileName;
}

QString TDMAdminUsers::UsersFilePath() const
{
    return listPath(QStringLiteral("Users.txt"));
}

Fallible<void> TDMAdminUsers::LoadUsers()
{
    return RMD_Users.load(m_usersDir.isEmpty() ? QString() : UsersFilePath());
}

Fallible<void> TDMAdminUsers::SaveUsers(Prompter &prompter)
{
    return RMD_Users.save(UsersFilePath(), prompter);
}

int TDMAdminUsers::findUser(const QString &name) const
{
    const int f = RMD_Users.fieldIndex(QStringLiteral("User"));
    for (int r = 0; r < RMD_Users.rowCount(); ++r)
        if (RMD_Users.table().record(r)[std::size_t(f)].toString().compare(
                name, Qt::CaseInsensitive) == 0)
            return r;
    return -1;
}
