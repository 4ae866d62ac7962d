#include "users/TDMAdminUsersDomains.h"

#include "users/UserNames.h"

#include <QFileInfo>

namespace {

std::vector<MemTable::Field> userFieldsWithPrivilege()
{
    using K = MemTable::FieldKind;
    return {{QStringLiteral("Group"), K::String, 4, false, false},
            {QStringLiteral("User"), K::String, 16, true, false},
            {QStringLiteral("Password"), K::String, kMaxPasswordLength, false, false},
            {QStringLiteral("Privilege"), K::String, 1, true, false}};
}

std::vector<MemTable::Field> domainFields()
{
    using K = MemTable::FieldKind;
    return {{QStringLiteral("Domain"), K::String, 12, true, false},
            {QStringLiteral("Dir"), K::String, 100, true, false},
            {QStringLiteral("ValidDir"), K::Boolean, 0, false, false}};
}

} // namespace

TDMAdminUsersDomains::TDMAdminUsersDomains()
    : TDMAdminUsers(userFieldsWithPrivilege()),
      RMD_Domains(QStringLiteral("RMD_Domains"), domainFields(), QStringLiteral("Domain"))
{}

QString TDMAdminUsersDomains::DomainsFilePath() const
{
    return listPath(QStringLiteral("Domains.txt"));
}

Fallible<void> TDMAdminUsersDomains::LoadDomains()
{
    auto loaded = RMD_Domains.load(usersDir().isEmpty() ? QString() : DomainsFilePath());
    if (!loaded.ok())
        return loaded;
    MemTable &t = RMD_Domains.table();
    const int dir = t.fieldIndex(QStringLiteral("Dir"));
    const int valid = t.fieldIndex(QStringLiteral("ValidDir"));
    for (int r = 0; r < t.recordCount(); ++r) {
        MemTable::Record rec = t.record(r);
        rec[std::size_t(valid)] = QFileInfo(rec[std::size_t(dir)].toString()).isDir();
        t.replaceAt(r, rec);
    }
    t.modified = false;
    return loaded;
}

Fallible<void> TDMAdminUsersDomains::SaveDomains(Prompter &prompter)
{
    return RMD_Domains.save(DomainsFilePath(), prompter);
}

QString TDMAdminUsersDomains::DomainDir(const QString &domain)
{
    if (!LoadDomains().ok())
        return QString();
    for (int r = 0; r < RMD_Domains.rowCount(); ++r)
        if (RMD_Domains.text(r, QStringLiteral("Domain")) == domain)
            return RMD_Domains.table().value(r, QStringLiteral("ValidDir")).toBool()
                       ? RMD_Domains.text(r, QStringLiteral("Dir"))
                       : QString();
    return QString();
}

QStringList TDMAdminUsersDomains::domainNames() const
{
    QStringList out;
    for (int r = 0; r < RMD_Domains.rowCount(); ++r)
        out << RMD_Domains.text(r, QStringLiteral("Domain"));
    return out;
}

void TDMAdminUsersDomains::RMD_UsersAfterInsert()
{
    if (!presetsActive)
        return;
    cursorToUserColumn = !groupPreset.isEmpty();
    if (cursorToUserColumn)
        RMD_Users.setPending(QStringLiteral("Group"), groupPreset);
    applyPrivilegePreset();
}

void TDMAdminUsersDomains::RMD_UsersBeforePost()
{
    // The privilege is one letter in upper case.
    RMD_Users.setPending(QStringLiteral("Privilege"),
                         RMD_Users.pendingText(QStringLiteral("Privilege")).toUpper());
    if (presetsActive)
        applyPrivilegePreset();
}

void TDMAdminUsersDomains::applyPrivilegePreset()
{
    switch (privilegePreset) {
    case PrivilegePreset::All: break;
    case PrivilegePreset::View:
        RMD_Users.setPending(QStringLiteral("Privilege"), QStringLiteral("V"));
        break;
    case PrivilegePreset::Editing:
        RMD_Users.setPending(QStringLiteral("Privilege"), QStringLiteral("E"));
        break;
    }
}
