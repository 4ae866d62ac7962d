#include "config/Base64.h"
#include "support/FakePrompter.h"
#include "users/TDMAdminUsersDomains.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Posts a new user row; the post's outcome.
Fallible<void> addUser(TDMAdminUsersDomains &m, const QString &user, const QString &password,
                       const QString &privilege = QStringLiteral("A"))
{
    m.RMD_Users.beginInsert(m.RMD_Users.rowCount());
    m.RMD_Users.setPending(QStringLiteral("User"), user);
    m.RMD_Users.setPending(QStringLiteral("Password"), password);
    m.RMD_Users.setPending(QStringLiteral("Privilege"), privilege);
    return m.RMD_Users.post();
}

} // namespace

class UsersListTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Saved lists are Base64 of TAB rows, read back the same, never leave a plain copy, and a
    // new one is its owner's alone.
    void roundTripAndFileForm()
    {
        QTemporaryDir dir;
        FakePrompter p;
        TDMAdminUsersDomains m;
        m.SetUsersDir(dir.path());
        QVERIFY(
            addUser(m, QStringLiteral("Laia"), QStringLiteral("pòmul"), QStringLiteral("e")).ok());
        QVERIFY(addUser(m, QStringLiteral("Pere"), QString()).ok());
        QCOMPARE(m.RMD_Users.text(0, QStringLiteral("Privilege")), QStringLiteral("E"));
        QVERIFY(m.SaveUsers(p).ok());
        const QByteArray stored = readAll(m.UsersFilePath());
        QVERIFY(!stored.contains('\t') && !stored.contains("Laia"));
        QCOMPARE(decodeBase64Bytes(stored), QByteArray("\tLaia\tp\xf2mul\tE\r\n\tPere\t\tA\r\n"));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("~Users.txt"))));
        QCOMPARE(QFile::permissions(m.UsersFilePath()) &
                     (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteOther),
                 QFileDevice::Permissions());

        TDMAdminUsersDomains again;
        again.SetUsersDir(dir.path());
        QVERIFY(again.LoadUsers().ok());
        QVERIFY(again.HasUsers());
        QCOMPARE(again.RMD_Users.rowsText(), m.RMD_Users.rowsText());
        QCOMPARE(again.findUser(QStringLiteral("LAIA")), 0);

        // Zero rows load, but there are no users; a missing file is an empty list, no message.
        writeAll(again.UsersFilePath(), QByteArray());
        QVERIFY(again.LoadUsers().ok());
        QVERIFY(!again.HasUsers());
        QFile::remove(again.UsersFilePath());
        const auto missing = again.LoadUsers();
        QVERIFY(!missing.ok() && missing.error().isEmpty());
        QVERIFY(p.shown.empty());
    }

    // Keys are unique without regard to case, through edits, cancels and deletions; a list
    // repeated by hand loads whole and keeps its names reserved.
    void keyRules()
    {
        TDMAdminUsersDomains m;
        QVERIFY(addUser(m, QStringLiteral("Laia"), QStringLiteral("abc")).ok());
        const auto twice = addUser(m, QStringLiteral("LAIA"), QStringLiteral("abc"));
        QCOMPARE(twice.error(), QStringLiteral("Ja existeix LAIA"));
        QCOMPARE(m.RMD_Users.state(), KeyedTable::EditState::Insert);
        m.RMD_Users.cancel();

        m.RMD_Users.beginEdit(0);
        QVERIFY(m.RMD_Users.post().ok()); // its own name is not a duplicate
        m.RMD_Users.beginEdit(0);
        m.RMD_Users.cancel();
        QVERIFY(!addUser(m, QStringLiteral("laia"), QStringLiteral("abc")).ok());
        m.RMD_Users.cancel();
        // A TAB or a line end would split the row in the file.
        QVERIFY(!addUser(m, QStringLiteral("Pau"), QStringLiteral("a\tb")).ok());
        m.RMD_Users.cancel();
        m.RMD_Users.deleteRow(0);
        QVERIFY(addUser(m, QStringLiteral("LAIA"), QStringLiteral("abc")).ok());

        QTemporaryDir dir;
        m.SetUsersDir(dir.path());
        writeAll(m.UsersFilePath(),
                 encodeBase64Bytes("\tMaria\tx12\tE\r\n\r\ng1\tMARIA\ty12\tV\r\n"));
        QVERIFY(m.LoadUsers().ok());
        QCOMPARE(m.RMD_Users.rowCount(), 2);
        QVERIFY(!addUser(m, QStringLiteral("maria"), QStringLiteral("abc")).ok());
        m.RMD_Users.cancel();
        m.RMD_Users.deleteRow(0);
        QVERIFY(!addUser(m, QStringLiteral("maria"), QStringLiteral("abc")).ok());
        m.RMD_Users.cancel();
        m.RMD_Users.deleteRow(0);
        QVERIFY(addUser(m, QStringLiteral("maria"), QStringLiteral("abc")).ok());
    }

    void presets()
    {
        TDMAdminUsersDomains m;
        QVERIFY(
            addUser(m, QStringLiteral("Laia"), QStringLiteral("abc"), QStringLiteral("A")).ok());
        m.presetsActive = true;
        m.privilegePreset = PrivilegePreset::View;
        m.RMD_Users.beginEdit(0);
        QVERIFY(m.RMD_Users.post().ok());
        QCOMPARE(m.RMD_Users.text(0, QStringLiteral("Privilege")), QStringLiteral("V"));

        m.groupPreset = QStringLiteral("3A");
        m.privilegePreset = PrivilegePreset::Editing;
        m.RMD_Users.beginInsert(0);
        QVERIFY(m.cursorToUserColumn);
        QCOMPARE(m.RMD_Users.pendingText(QStringLiteral("Group")), QStringLiteral("3A"));
        m.RMD_Users.setPending(QStringLiteral("User"), QStringLiteral("Pol"));
        m.RMD_Users.setPending(QStringLiteral("Privilege"), QStringLiteral("V"));
        QVERIFY(m.RMD_Users.post().ok());
        QCOMPARE(m.RMD_Users.text(0, QStringLiteral("User")), QStringLiteral("Pol"));
        QCOMPARE(m.RMD_Users.text(0, QStringLiteral("Privilege")), QStringLiteral("E"));
    }

    void domains()
    {
        QTemporaryDir dir;
        FakePrompter p;
        const QString escola = dir.filePath(QStringLiteral("escola"));
        const QString casa = dir.filePath(QStringLiteral("casa"));
        QDir().mkpath(escola);
        QDir().mkpath(casa);
        TDMAdminUsersDomains m;
        m.SetUsersDir(dir.path());
        for (const auto &[name, folder] :
             {std::pair{QStringLiteral("Escola"), escola}, std::pair{QStringLiteral("Casa"), casa},
              std::pair{QStringLiteral("Xarxa"), QStringLiteral("/media/no-muntat/xarxa")}}) {
            m.RMD_Domains.beginInsert(m.RMD_Domains.rowCount());
            m.RMD_Domains.setPending(QStringLiteral("Domain"), name);
            m.RMD_Domains.setPending(QStringLiteral("Dir"), folder);
            QVERIFY(m.RMD_Domains.post().ok());
        }
        QVERIFY(m.SaveDomains(p).ok());
        QVERIFY(QDir(casa).removeRecursively());
        QVERIFY(m.LoadDomains().ok());
        QVERIFY(m.HasDomains());
        QCOMPARE(m.DomainDir(QStringLiteral("Escola")), escola);
        QCOMPARE(m.DomainDir(QStringLiteral("escola")), QString()); // exact name only
        QCOMPARE(m.DomainDir(QStringLiteral("Casa")), QString());   // its folder was deleted
        QVERIFY(!m.RMD_Domains.table().value(1, QStringLiteral("ValidDir")).toBool());
        QCOMPARE(m.DomainDir(QStringLiteral("Xarxa")), QString()); // a mount that is not there
        QCOMPARE(m.DomainDir(QStringLiteral("Platja")), QString());
    }

    // Files that are not a list: an empty table, a reason, and the file is never written over.
    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("reason");
        QTest::newRow("plain rows")
            << QByteArray("\tLaia\tabc\tE\r\n") << QStringLiteral("no conté");
        QTest::newRow("not Base64")
            << QByteArray("[Options]\r\nUser=Laia\r\n") << QStringLiteral("no conté");
        QTest::newRow("binary") << encodeBase64Bytes(QByteArray("\x89PNG\x00\x01\x02", 7))
                                << QStringLiteral("no conté");
        QTest::newRow("too many fields")
            << encodeBase64Bytes("\tLaia\tabc\tE\r\n\tPau\tabc\tE\textra\r\n")
            << QStringLiteral("La línia 2");
        QTest::newRow("no user") << encodeBase64Bytes("g\t\tabc\tE\r\n")
                                 << QStringLiteral("no té valor al camp User");
        QTest::newRow("no privilege")
            << encodeBase64Bytes("g\tLaia\r\n") << QStringLiteral("Privilege");
        QTest::newRow("password too long")
            << encodeBase64Bytes("\tLaia\tabcdefg\tE\r\n") << QStringLiteral("massa llarg");
    }
    void badFiles()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        FakePrompter p;
        TDMAdminUsersDomains m;
        m.SetUsersDir(dir.path());
        writeAll(m.UsersFilePath(), stored);
        const auto loaded = m.LoadUsers();
        QVERIFY(!loaded.ok());
        QVERIFY2(loaded.error().contains(reason), qPrintable(loaded.error()));
        QCOMPARE(m.RMD_Users.rowCount(), 0);
        QVERIFY(!m.HasUsers());
        QVERIFY(addUser(m, QStringLiteral("Nou"), QStringLiteral("abc")).ok());
        QVERIFY(!m.SaveUsers(p).ok());
        QCOMPARE(readAll(m.UsersFilePath()), stored);
        QVERIFY(p.anyContains(QStringLiteral("es perdria")));
    }

    // A folder that vanished: the save fails with its message and no "~" file appears.
    void saveFailures()
    {
        QTemporaryDir dir;
        FakePrompter p;
        TDMAdminUsersDomains m;
        m.SetUsersDir(dir.filePath(QStringLiteral("esborrat")));
        QVERIFY(addUser(m, QStringLiteral("Laia"), QStringLiteral("abc")).ok());
        QVERIFY(!m.SaveUsers(p).ok());
        QCOMPARE(p.texts().back(),
                 QStringLiteral("S'ha produït un error en crear\r\n") + m.UsersFilePath());
        QVERIFY(!QFile::exists(m.UsersFilePath()));

        // A row left in edit is offered for posting first; a refused post stops the save.
        m.SetUsersDir(dir.path());
        QVERIFY(addUser(m, QStringLiteral("Pau"), QStringLiteral("abc")).ok());
        m.RMD_Users.beginInsert(0);
        m.RMD_Users.setPending(QStringLiteral("User"), QStringLiteral("PAU"));
        m.RMD_Users.setPending(QStringLiteral("Privilege"), QStringLiteral("A"));
        p.answers = {MsgButton::Yes};
        QVERIFY(!m.SaveUsers(p).ok());
        QCOMPARE(p.texts().back(), QStringLiteral("Ja existeix PAU"));
        p.answers = {MsgButton::No};
        QVERIFY(m.SaveUsers(p).ok());
        QCOMPARE(m.RMD_Users.rowCount(), 2);

        // A plain copy left beside the list by an older program is removed when it is read.
        writeAll(dir.filePath(QStringLiteral("~Users.txt")), "\tPau\tabc\tA\r\n");
        QVERIFY(m.LoadUsers().ok());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("~Users.txt"))));
    }

    void hundredThousandUsers()
    {
        QTemporaryDir dir;
        FakePrompter p;
        QByteArray plain;
        for (int i = 0; i < 100000; ++i)
            plain += "G\tUsuari" + QByteArray::number(i) + "\tabc\tE\r\n";
        TDMAdminUsersDomains m;
        m.SetUsersDir(dir.path());
        writeAll(m.UsersFilePath(), encodeBase64Bytes(plain));
        QElapsedTimer t;
        t.start();
        QVERIFY(m.LoadUsers().ok());
        const qint64 loadMs = t.restart();
        QCOMPARE(m.RMD_Users.rowCount(), 100000);
        QVERIFY(!addUser(m, QStringLiteral("usuari99999"), QStringLiteral("abc")).ok());
        m.RMD_Users.cancel();
        QVERIFY(m.SaveUsers(p).ok());
        const qint64 saveMs = t.elapsed();
        QCOMPARE(decodeBase64Bytes(readAll(m.UsersFilePath())), plain);
        qInfo("100,000 users: load %lld ms, save %lld ms", loadMs, saveMs);
    }
};

QTEST_GUILESS_MAIN(UsersListTest)
#include "UsersListTest.moc"
