#pragma once

#include "files/Fallible.h"
#include "users/AccessLevel.h"

#include <QString>
#include <QStringList>

#include <optional>

class Prompter;
class TDMAdminUsersDomains;

// Who uses the program and what he may do, decided once at start-up.
struct IdentificationState
{
    AccessLevel accessLevel = AccessLevel::Full;
    QString userName;        // names the user's results and individual configuration
    QString domain;          // chosen at identification
    bool identified = false; // results may be written for this user
    bool individualConfigActive = false;
};

// What identification starts from: the command line and the program-wide keys.
struct IdentifyInput
{
    AccessLevel commandLineLevel = AccessLevel::Full;
    QString commandLineUser;
    bool SeveralUsers = false;
    bool UserConfiguration = false;
    bool UseAdminPassword = false;
    QString AdminPassword; // decoded
};

// What the identification dialog hands back on OK.
struct Credentials
{
    QString user;
    QString password;
    QString domain;
};

// The checks behind the identification dialogs' buttons, with the count of failed checks: the
// second failure closes the dialog as cancelled.
class UserPasswordCheck
{
public:
    UserPasswordCheck(TDMAdminUsersDomains &users, Prompter &prompter);

    enum class Outcome { Pass, Fail, Cancelled };
    // CheckUserPassword: the user must be listed (name compared without regard to case) and the
    // password equal his stored one exactly. Cancelled is a failure that was the second one.
    Outcome CheckUserPassword(const QString &user, const QString &password);
    int failures() const { return m_failures; }

    enum class Domain { None, Required };
    // The OK button: the check, then (when a domain is asked for) a chosen domain.
    enum class OkResult { Accept, StayOpen, CloseCancelled };
    OkResult acceptOk(const Credentials &c, Domain domain);
    // After a passed check and an accepted TFSetPassword: the user's password becomes
    // `newPassword` and the users list is saved. Failures have been shown.
    Fallible<void> storeNewPassword(const QString &user, const QString &newPassword);

private:
    TDMAdminUsersDomains &m_users;
    Prompter &m_prompter;
    int m_failures = 0;
};

// The dialogs identification shows, as a seam: the program shows the real ones, tests script
// them. Each answers std::nullopt when cancelled.
class IdentificationDialogs
{
public:
    virtual ~IdentificationDialogs() = default;
    // TFUserFN, asking `closingQuestion` when closed without a name.
    virtual std::optional<QString> askUserName(const QString &closingQuestion) = 0;
    // TFPassword.
    virtual std::optional<QString> askAdminPassword() = 0;
    // TFUserFNPassword, or TFUserFNPasswordDomain when `domains` is not empty. The dialog runs
    // `check` on OK and on its password button.
    virtual std::optional<Credentials> askUserPassword(UserPasswordCheck &check,
                                                       const QStringList &domains,
                                                       const QString &initialName) = 0;
};

// Sets the access state from the command line, the program-wide keys and the users module
// (whose lists it loads). Never gives more access than the command line asked for, and with an
// administrator password in use never more than view only unless that password was typed.
IdentificationState Identify(const IdentifyInput &input, TDMAdminUsersDomains &users,
                             IdentificationDialogs &dialogs, Prompter &prompter);

// A user's privilege letter lowers the level: "E" to editing, "V" to view only.
AccessLevel ApplyPrivilege(AccessLevel level, const QString &privilege);

// The administrator password typed matches: an empty or too short stored password never does.
bool AdminPasswordMatches(const QString &typed, const QString &adminPassword);

// TFSetPassword's checks on OK, in order; the field to focus and whether the confirmation is
// cleared come with the message.
struct PasswordEntryFault
{
    enum class Field { NewPassword, CheckPassword };
    QString message;
    Field field = Field::NewPassword;
    bool clearCheck = false;
};
std::optional<PasswordEntryFault> CheckNewPassword(const QString &newPassword,
                                                   const QString &checkPassword);

// The closing question of the user-name dialog.
QString userNameClosingQuestion();
