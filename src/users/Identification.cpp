#include "users/Identification.h"

#include "files/Prompter.h"
#include "users/TDMAdminUsersDomains.h"
#include "users/UserNames.h"

UserPasswordCheck::UserPasswordCheck(TDMAdminUsersDomains &users, Prompter &prompter)
    : m_users(users), m_prompter(prompter)
{}

UserPasswordCheck::Outcome UserPasswordCheck::CheckUserPassword(const QString &user,
                                                                const QString &password)
{
    if (m_users.RMD_Users.rowCount() == 0)
        return Outcome::Pass;
    const int row = m_users.findUser(user);
    QString why;
    if (row < 0)
        why = QStringLiteral("No figureu a la llista d'usuaris del programa.\r\nPer registrar-vos "
                             "com ususari parleu amb l'administrador del programa");
    else if (m_users.RMD_Users.text(row, QStringLiteral("Password")) != password)
        why = QStringLiteral("Contrasenya incorrecta.\r\nPer canviar-la heu d'introduir primer la "
                             "correcta, si no la recordeu parleu amb l'administrador del programa");
    else
        return Outcome::Pass;
    m_prompter.ShowError(why);
    ++m_failures;
    return m_failures >= 2 ? Outcome::Cancelled : Outcome::Fail;
}

UserPasswordCheck::OkResult UserPasswordCheck::acceptOk(const Credentials &c, Domain domain)
{
    if (CheckUserPassword(c.user, c.password) != Outcome::Pass)
        return OkResult::CloseCancelled;
    if (domain == Domain::Required && c.domain.isEmpty())
        return OkResult::StayOpen;
    return OkResult::Accept;
}

Fallible<void> UserPasswordCheck::storeNewPassword(const QString &user, const QString &newPassword)
{
    const int row = m_users.findUser(user);
    if (row < 0)
        return Fallible<void>::failure(QString());
    KeyedTable &t = m_users.RMD_Users;
    t.beginEdit(row);
    t.setPending(QStringLiteral("Password"), newPassword);
    if (auto posted = t.post(); !posted.ok()) {
        t.cancel();
        m_prompter.ShowError(posted.error());
        return posted;
    }
    return m_users.SaveUsers(m_prompter);
}

AccessLevel ApplyPrivilege(AccessLevel level, const QString &privilege)
{
    const QChar p = privilege.isEmpty() ? QChar() : privilege[0].toUpper();
    if (p == QLatin1Char('V'))
        return AccessLevel::ViewOnly;
    if (p == QLatin1Char('E') && level == AccessLevel::Full)
        return AccessLevel::Editing;
    return level;
}

bool AdminPasswordMatches(const QString &typed, const QString &adminPassword)
{
    return adminPassword.size() >= kMinPasswordLength && typed == adminPassword;
}

QString userNameClosingQuestion()
{
    return QStringLiteral("El no identificar-vos comportarà:\r\nno poder escriure els resultats "
                          "i/o ni utilitzar la configuració individualitzada\r\ncontinuar?");
}

std::optional<PasswordEntryFault> CheckNewPassword(const QString &newPassword,
                                                   const QString &checkPassword)
{
    using F = PasswordEntryFault::Field;
    if (newPassword.isEmpty())
        return PasswordEntryFault{QStringLiteral("Heu d'assignar alguna contrasenya"),
                                  F::NewPassword, false};
    if (newPassword.size() < kMinPasswordLength)
        return PasswordEntryFault{
            QStringLiteral("La contrasenya ha de tenir un mínim de %1 caràcters")
                .arg(kMinPasswordLength),
            F::NewPassword, false};
    if (checkPassword.isEmpty())
        return PasswordEntryFault{QStringLiteral("Heu d'escriure de nou la contrasenya"),
                                  F::CheckPassword, false};
    if (checkPassword != newPassword)
        return PasswordEntryFault{
            QStringLiteral("No coincideixen la contrasenya amb la comprovació"), F::CheckPassword,
            true};
    return std::nullopt;
}

namespace {

// With an administrator password in use and a users list: the identification dialog.
void identifyAgainstUsers(IdentificationState &s, const IdentifyInput &in,
                          TDMAdminUsersDomains &users, IdentificationDialogs &dialogs,
                          Prompter &prompter, const QStringList &domains)
{
    UserPasswordCheck check(users, prompter);
    const auto typed = dialogs.askUserPassword(check, domains, s.userName);
    // A name that could leave its folder is never taken, whatever showed the dialog.
    const bool accepted = typed && IsSafeUserName(typed->user) &&
                          (domains.isEmpty() || domains.contains(typed->domain));
    if (!accepted) {
        s.accessLevel = AccessLevel::ViewOnly;
        s.individualConfigActive = false;
        return;
    }
    s.userName = typed->user;
    if (!AdminPasswordMatches(typed->password, in.AdminPassword))
        s.accessLevel = AccessLevel::ViewOnly;
    s.domain = domains.isEmpty() ? QString() : typed->domain;
    const int row = users.findUser(typed->user);
    if (row >= 0)
        s.accessLevel =
            ApplyPrivilege(s.accessLevel, users.RMD_Users.text(row, QStringLiteral("Privilege")));
    s.identified = true;
}

} // namespace

IdentificationState Identify(const IdentifyInput &in, TDMAdminUsersDomains &users,
                             IdentificationDialogs &dialogs, Prompter &prompter)
{
    IdentificationState s;
    s.accessLevel = in.commandLineLevel;
    // A name from the command line that could not be part of a file name is ignored.
    s.userName = IsSafeUserName(in.commandLineUser) ? in.commandLineUser : QString();
    const bool userConfiguration = in.SeveralUsers && in.UserConfiguration;
    s.individualConfigActive = userConfiguration;

    if (!in.UseAdminPassword) {
        if (!s.userName.isEmpty()) {
            s.identified = true;
        } else if (!in.SeveralUsers || !userConfiguration) {
            s.individualConfigActive = false;
        } else {
            s.individualConfigActive = false;
            const auto name = dialogs.askUserName(userNameClosingQuestion());
            if (name && IsSafeUserName(*name)) {
                s.userName = *name;
                s.identified = true;
                s.individualConfigActive = userConfiguration;
            } else {
                s.userName = QStringLiteral("Resultats");
            }
        }
    } else {
        const auto usersRead = users.LoadUsers();
        if (!usersRead.ok() && !usersRead.error().isEmpty())
            prompter.ShowError(usersRead.error());
        if (!users.HasUsers()) {
            const auto typed = dialogs.askAdminPassword();
            if (!typed || !AdminPasswordMatches(*typed, in.AdminPassword)) {
                prompter.ShowInfo(
                    QStringLiteral("No tindreu accés a la modificació de la presentació"));
                s.accessLevel = AccessLevel::ViewOnly;
                s.individualConfigActive = false;
            }
        } else {
            const auto domainsRead = users.LoadDomains();
            if (!domainsRead.ok() && !domainsRead.error().isEmpty())
                prompter.ShowError(domainsRead.error());
            identifyAgainstUsers(s, in, users, dialogs, prompter,
                                 users.HasDomains() ? users.domainNames() : QStringList());
        }
    }
    // Without a user there is no individual configuration to read ("PVR_.ini").
    if (s.userName.isEmpty())
        s.individualConfigActive = false;
    return s;
}
