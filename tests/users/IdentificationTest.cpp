#include "ScriptedIdentificationDialogs.h"

#include "config/Base64.h"
#include "player/PresentationSession.h"
#include "player/StartupArgs.h"
#include "support/FakePlayerView.h"
#include "support/FakePrompter.h"
#include "users/TDMAdminUsersDomains.h"
#include "users/UserNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(AccessLevel)

using namespace Qt::StringLiterals;

namespace {

const QString kAdmin = QStringLiteral("adm999");

enum class Lists { None, Users, UsersAndDomains };

// Users: Cap (no restriction) and Pere ("E") and Vera ("V") know the administrator password;
// Maria has her own. Domains: Escola (an existing folder) and Casa.
void writeLists(const QTemporaryDir &dir, Lists lists)
{
    auto write = [&](const QString &name, const QByteArray &plain) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(encodeBase64Bytes(plain));
    };
    if (lists == Lists::None)
        return;
    write(QStringLiteral("Users.txt"), "1r\tCap\tadm999\tA\r\n1r\tPere\tadm999\tE\r\n"
                                       "2n\tVera\tadm999\tV\r\n2n\tMaria\tmar123\tA\r\n");
    if (lists == Lists::UsersAndDomains) {
        QDir().mkpath(dir.filePath(QStringLiteral("escola")));
        write(QStringLiteral("Domains.txt"),
              "Escola\t" + dir.filePath(QStringLiteral("escola")).toUtf8() + "\t1\r\nCasa\t" +
                  dir.filePath(QStringLiteral("casa")).toUtf8() + "\t0\r\n");
    }
}

Credentials typed(const QString &user, const QString &password, const QString &domain = {})
{
    return {user, password, domain};
}

} // namespace

class IdentificationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every branch, through the command line as the program parses it.
    void identify_data()
    {
        QTest::addColumn<bool>("several");
        QTest::addColumn<bool>("userConfig");
        QTest::addColumn<bool>("adminPassword");
        QTest::addColumn<int>("lists");
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QStringList>("names");     // TFUserFN answers ("-" cancels)
        QTest::addColumn<QStringList>("passwords"); // TFPassword answers ("-" cancels)
        QTest::addColumn<QStringList>("attempts");  // "user/password/domain" or "-"
        QTest::addColumn<QString>("dialogs");
        QTest::addColumn<AccessLevel>("level");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("domain");
        QTest::addColumn<bool>("identified");
        QTest::addColumn<bool>("individual");

        const QStringList none;
        const int noLists = int(Lists::None), users = int(Lists::Users),
                  domains = int(Lists::UsersAndDomains);
        using A = AccessLevel;
        // Without an administrator password.
        QTest::newRow("one user") << false << false << false << noLists << u""_s << none << none
                                  << none << u""_s << A::Full << u""_s << u""_s << false << false;
        QTest::newRow("one user, /L")
            << false << false << false << noLists << u"/l"_s << none << none << none << u""_s
            << A::ViewOnly << u""_s << u""_s << false << false;
        QTest::newRow("/A:Jo, several users")
            << true << false << false << noLists << u"/A:Jo"_s << none << none << none << u""_s
            << A::Full << u"Jo"_s << u""_s << true << false;
        QTest::newRow("/E:Maria, own configurations")
            << true << true << false << noLists << u"/E:Maria"_s << none << none << none << u""_s
            << A::Editing << u"Maria"_s << u""_s << true << true;
        QTest::newRow("name typed")
            << true << true << false << users << u""_s << QStringList{u"Anna"_s} << none << none
            << u"TFUserFN"_s << A::Full << u"Anna"_s << u""_s << true << true;
        QTest::newRow("name declined")
            << true << true << false << noLists << u"/E"_s << QStringList{u"-"_s} << none << none
            << u"TFUserFN"_s << A::Editing << u"Resultats"_s << u""_s << false << false;
        QTest::newRow("several, shared configuration")
            << true << false << false << users << u""_s << none << none << none << u""_s << A::Full
            << u""_s << u""_s << false << false;
        QTest::newRow("name with a path, own configurations")
            << true << true << false << noLists << u"/A:../../etc"_s << QStringList{u"-"_s} << none
            << none << u"TFUserFN"_s << A::Full << u"Resultats"_s << u""_s << false << false;
        // Administrator password, no users list.
        QTest::newRow("password right")
            << false << false << true << noLists << u""_s << none << QStringList{u"adm999"_s}
            << none << u"TFPassword"_s << A::Full << u""_s << u""_s << false << false;
        QTest::newRow("password right, /L")
            << true << true << true << noLists << u"/L"_s << none << QStringList{u"adm999"_s}
            << none << u"TFPassword"_s << A::ViewOnly << u""_s << u""_s << false << false;
        QTest::newRow("password right, /E:Jo")
            << true << true << true << noLists << u"/E:Jo"_s << none << QStringList{u"adm999"_s}
            << none << u"TFPassword"_s << A::Editing << u"Jo"_s << u""_s << false << true;
        QTest::newRow("password wrong, /A:Jo")
            << true << true << true << noLists << u"/A:Jo"_s << none << QStringList{u"ADM999"_s}
            << none << u"TFPassword"_s << A::ViewOnly << u"Jo"_s << u""_s << false << false;
        QTest::newRow("password cancelled, file")
            << true << false << true << noLists << u"/A"_s << none << QStringList{u"-"_s} << none
            << u"TFPassword"_s << A::ViewOnly << u""_s << u""_s << false << false;
        // Administrator password and a users list.
        QTest::newRow("user without restriction")
            << true << true << true << users << u""_s << none << none
            << QStringList{u"cap/adm999"_s} << u"TFUserFNPassword"_s << A::Full << u"cap"_s << u""_s
            << true << true;
        QTest::newRow("own password gives view only")
            << true << false << true << users << u"/A"_s << none << none
            << QStringList{u"Maria/mar123"_s} << u"TFUserFNPassword"_s << A::ViewOnly << u"Maria"_s
            << u""_s << true << false;
        QTest::newRow("privilege E") << true << false << true << users << u"/A"_s << none << none
                                     << QStringList{u"Pere/adm999"_s} << u"TFUserFNPassword"_s
                                     << A::Editing << u"Pere"_s << u""_s << true << false;
        QTest::newRow("privilege E, /L")
            << true << false << true << users << u"/L:Pere"_s << none << none
            << QStringList{u"Pere/adm999"_s} << u"TFUserFNPassword"_s << A::ViewOnly << u"Pere"_s
            << u""_s << true << false;
        QTest::newRow("privilege V") << true << false << true << users << u"/A"_s << none << none
                                     << QStringList{u"Vera/adm999"_s} << u"TFUserFNPassword"_s
                                     << A::ViewOnly << u"Vera"_s << u""_s << true << false;
        QTest::newRow("/E and no restriction")
            << true << false << true << users << u"/E"_s << none << none
            << QStringList{u"Cap/adm999"_s} << u"TFUserFNPassword"_s << A::Editing << u"Cap"_s
            << u""_s << true << false;
        QTest::newRow("wrong password closes it")
            << true << false << true << users << u""_s << none << none << QStringList{u"Cap/xyz"_s}
            << u"TFUserFNPassword"_s << A::ViewOnly << u""_s << u""_s << false << false;
        QTest::newRow("unknown user closes it")
            << true << true << true << users << u"/A:Cap"_s << none << none
            << QStringList{u"Ningu/adm999"_s} << u"TFUserFNPassword"_s << A::ViewOnly << u"Cap"_s
            << u""_s << false << false;
        QTest::newRow("cancelled")
            << true << true << true << users << u"/A"_s << none << none << QStringList{u"-"_s}
            << u"TFUserFNPassword"_s << A::ViewOnly << u""_s << u""_s << false << false;
        QTest::newRow("with domain")
            << true << true << true << domains << u""_s << none << none
            << QStringList{u"Cap/adm999/Escola"_s} << u"TFUserFNPasswordDomain"_s << A::Full
            << u"Cap"_s << u"Escola"_s << true << true;
        QTest::newRow("domain required")
            << true << false << true << domains << u""_s << none << none
            << QStringList{u"Pere/adm999/"_s, u"Pere/adm999/Casa"_s} << u"TFUserFNPasswordDomain"_s
            << A::Editing << u"Pere"_s << u"Casa"_s << true << false;
        QTest::newRow("domain cancelled")
            << true << false << true << domains << u"/A"_s << none << none << QStringList{u"-"_s}
            << u"TFUserFNPasswordDomain"_s << A::ViewOnly << u""_s << u""_s << false << false;
    }
    void identify()
    {
        QFETCH(bool, several);
        QFETCH(bool, userConfig);
        QFETCH(bool, adminPassword);
        QFETCH(int, lists);
        QFETCH(QString, commandLine);
        QFETCH(QStringList, names);
        QFETCH(QStringList, passwords);
        QFETCH(QStringList, attempts);
        QFETCH(QString, dialogs);

        QTemporaryDir dir;
        writeLists(dir, Lists(lists));
        TDMAdminUsersDomains usersModule;
        usersModule.SetUsersDir(dir.path());
        ScriptedIdentificationDialogs script;
        for (const QString &n : names)
            script.userNames.push_back(n == QLatin1String("-") ? std::nullopt
                                                               : std::optional<QString>(n));
        for (const QString &p : passwords)
            script.adminPasswords.push_back(p == QLatin1String("-") ? std::nullopt
                                                                    : std::optional<QString>(p));
        for (const QString &a : attempts) {
            const QStringList parts = a.split(QLatin1Char('/'));
            script.attempts.push_back(a == QLatin1String("-")
                                          ? std::nullopt
                                          : std::optional<Credentials>(typed(
                                                parts.value(0), parts.value(1), parts.value(2))));
        }
        FakePrompter prompter;
        const StartupArgs args = ParseStartupArgs(
            commandLine.isEmpty() ? QStringList{} : QStringList{commandLine, u"a.sal"_s});
        IdentifyInput in;
        in.commandLineLevel = args.accessLevel;
        in.commandLineUser = args.userName;
        in.SeveralUsers = several;
        in.UserConfiguration = several && userConfig;
        in.UseAdminPassword = adminPassword;
        in.AdminPassword = kAdmin;
        const IdentificationState s = Identify(in, usersModule, script, prompter);

        QCOMPARE(script.shown.join(QLatin1Char(',')), dialogs);
        QTEST(s.accessLevel, "level");
        QTEST(s.userName, "user");
        QTEST(s.domain, "domain");
        QTEST(s.identified, "identified");
        QTEST(s.individualConfigActive, "individual");
        QVERIFY(script.userNames.empty() && script.adminPasswords.empty() &&
                script.attempts.empty());
        const bool refused =
            adminPassword && lists == int(Lists::None) && passwords.value(0) != kAdmin;
        QCOMPARE(prompter.anyContains(u"No tindreu accés a la modificació de la presentació"_s),
                 refused);
        if (dialogs.startsWith(QLatin1String("TFUserFNPassword")))
            QCOMPARE(script.initialName, args.userName);
        if (dialogs == QLatin1String("TFUserFNPasswordDomain"))
            QCOMPARE(script.domainsOffered, (QStringList{u"Escola"_s, u"Casa"_s}));
    }

    // The check's messages and count: an unknown user and a wrong password each count, and
    // the second failure cancels; passwords compare with letter case, names without.
    void checkUserPassword()
    {
        QTemporaryDir dir;
        writeLists(dir, Lists::Users);
        TDMAdminUsersDomains users;
        users.SetUsersDir(dir.path());
        QVERIFY(users.LoadUsers().ok());
        FakePrompter p;
        UserPasswordCheck check(users, p);
        QCOMPARE(check.CheckUserPassword(u"MARIA"_s, u"mar123"_s),
                 UserPasswordCheck::Outcome::Pass);
        QCOMPARE(check.CheckUserPassword(u"Maria"_s, u"MAR123"_s),
                 UserPasswordCheck::Outcome::Fail);
        QVERIFY(p.texts().back().startsWith(u"Contrasenya incorrecta.\r\n"_s));
        QCOMPARE(check.CheckUserPassword(u"Ningú"_s, u"x"_s),
                 UserPasswordCheck::Outcome::Cancelled);
        QVERIFY(
            p.texts().back().startsWith(u"No figureu a la llista d'usuaris del programa.\r\n"_s));
        QCOMPARE(check.failures(), 2);

        // A new password is stored and the list saved; it opens the next check.
        QVERIFY(check.storeNewPassword(u"maria"_s, u"nova1"_s).ok());
        TDMAdminUsersDomains again;
        again.SetUsersDir(dir.path());
        QVERIFY(again.LoadUsers().ok());
        QCOMPARE(again.RMD_Users.text(again.findUser(u"Maria"_s), u"Password"_s), u"nova1"_s);
    }

    void passwordRules()
    {
        QVERIFY(!AdminPasswordMatches(QString(), QString())); // none stored never matches
        QVERIFY(!AdminPasswordMatches(u"ab"_s, u"ab"_s));
        QVERIFY(AdminPasswordMatches(u"abc"_s, u"abc"_s));
        QVERIFY(!AdminPasswordMatches(u"ABC"_s, u"abc"_s));

        using F = PasswordEntryFault::Field;
        QCOMPARE(CheckNewPassword({}, {})->message, u"Heu d'assignar alguna contrasenya"_s);
        const auto shortOne = CheckNewPassword(u"ab"_s, u"ab"_s);
        QCOMPARE(shortOne->message, u"La contrasenya ha de tenir un mínim de 3 caràcters"_s);
        QCOMPARE(shortOne->field, F::NewPassword);
        QCOMPARE(CheckNewPassword(u"abc"_s, {})->field, F::CheckPassword);
        const auto differs = CheckNewPassword(u"abc"_s, u"abd"_s);
        QCOMPARE(differs->message, u"No coincideixen la contrasenya amb la comprovació"_s);
        QVERIFY(differs->clearCheck);
        QVERIFY(!CheckNewPassword(u"abcdef"_s, u"abcdef"_s));

        QCOMPARE(ApplyPrivilege(AccessLevel::Full, u"e"_s), AccessLevel::Editing);
        QCOMPARE(ApplyPrivilege(AccessLevel::Editing, u"V"_s), AccessLevel::ViewOnly);
        QCOMPARE(ApplyPrivilege(AccessLevel::ViewOnly, u"A"_s), AccessLevel::ViewOnly);
        QCOMPARE(ApplyPrivilege(AccessLevel::Editing, u"E"_s), AccessLevel::Editing);
    }

    // Names that could leave their folder are refused however they come.
    void unsafeNames()
    {
        for (const char *bad :
             {"..", "../x", "a/b", "a\\b", "C:x", " x", "a|b", "a?", "<a>", "\"a", "a\tb", "a.b"})
            QVERIFY2(!IsSafeUserName(QString::fromUtf8(bad)), bad);
        QVERIFY(IsSafeUserName(u"Núria Puig"_s));

        QTemporaryDir dir;
        writeLists(dir, Lists::Users);
        TDMAdminUsersDomains users;
        users.SetUsersDir(dir.path());
        FakePrompter p;
        ScriptedIdentificationDialogs script;
        script.userNames.push_back(u"../../tmp/x"_s);
        IdentifyInput in;
        in.SeveralUsers = in.UserConfiguration = true;
        in.commandLineUser = u"../x"_s;
        const IdentificationState s = Identify(in, users, script, p);
        QCOMPARE(s.userName, u"Resultats"_s);
        QVERIFY(!s.identified);
    }

    // A result written for a user identified through the dialog lands in his domain's folder,
    // under his name as typed.
    void resultsGoToTheChosenDomain()
    {
        QTemporaryDir dir;
        writeLists(dir, Lists::UsersAndDomains);
        TDMAdminUsersDomains users;
        users.SetUsersDir(dir.path());
        ScriptedIdentificationDialogs script;
        script.attempts.push_back(typed(u"cap"_s, kAdmin, u"Escola"_s));
        FakePrompter p;
        IdentifyInput in;
        in.SeveralUsers = in.UseAdminPassword = true;
        in.AdminPassword = kAdmin;
        const IdentificationState s = Identify(in, users, script, p);
        QVERIFY(s.identified);

        FakePlayerView view;
        PresentationSession session(view, p);
        session.UserName = s.userName;
        session.UserDomain = s.domain;
        session.DomainResultsDir = [&users](const QString &d) { return users.DomainDir(d); };
        session.AdminResults.Write = true;
        session.AdminResults.Valid = s.identified;
        session.AdminResults.Dir = dir.path();
        session.WriteResult(u"Nota: 7"_s, QDateTime::currentDateTime(),
                            QDateTime::currentDateTime());
        QVERIFY(QFile::exists(dir.filePath(u"escola/cap.txt"_s)));
        QVERIFY(!QFile::exists(dir.filePath(u"cap.txt"_s)));
    }
};

QTEST_GUILESS_MAIN(IdentificationTest)
#include "IdentificationTest.moc"
