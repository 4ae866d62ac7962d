#include "users/AdminOptions.h"
#include "support/FakePrompter.h"
#include "users/TDMAdminUsersDomains.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void addRow(KeyedTable &t, const std::vector<std::pair<QString, QString>> &values)
{
    t.beginInsert(t.rowCount());
    for (const auto &[field, value] : values)
        t.setPending(field, value);
    QVERIFY(t.post().ok());
}

} // namespace

class AdminOptionsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // "Actives" without a password asks for one; cancelled, the tables stay disabled and OK
    // asks again; a password chosen then survives a cancelled dialog, with the warning.
    void passwordInUse()
    {
        QTemporaryDir dir;
        TDMAdminUsersDomains users;
        FakePrompter p;
        std::vector<std::optional<QString>> answers{std::nullopt, std::nullopt, u"nova1"_s};
        std::size_t asked = 0;
        AdminOptions o(
            users, p,
            [&](int maxLength) {
                [&] { QCOMPARE(maxLength, 6); }();
                return answers.at(asked++);
            },
            u"Pelvar"_s);
        o.open(QString(), false, dir.path());
        QVERIFY(!o.tablesEnabled());
        QVERIFY(!o.folderEnabled());
        o.setPasswordInUse(true);
        QVERIFY(o.folderEnabled());
        QVERIFY(!o.tablesEnabled());
        QCOMPARE(p.texts().back(), u"Seguidament hauríeu d'escollir una contrasenya, que com a "
                                   "mínim ha de tenir 3 caràcters"_s);
        QVERIFY(!o.checkBeforeOk());
        QVERIFY(o.checkBeforeOk());
        QCOMPARE(asked, std::size_t(3));
        QVERIFY(o.tablesEnabled());
        QVERIFY(p.texts().back().contains(u"desada a Pelvar.ini"_s));
        QCOMPARE(o.passwordAfterClose(false, u"vella"_s), u"nova1"_s);
        QCOMPARE(p.texts().back(),
                 u"Encara que hàgiu cancel·lat la finestra la contrasenya es manté modificada"_s);

        // Not in use: the stored password is kept and nothing is said.
        AdminOptions off(users, p, {}, u"Pelvar"_s);
        off.open(u"vella"_s, false, dir.path());
        p.clear();
        QCOMPARE(off.passwordAfterClose(false, u"vella"_s), u"vella"_s);
        QVERIFY(p.shown.empty());
    }

    void folderAndClosing()
    {
        QTemporaryDir dir;
        TDMAdminUsersDomains users;
        FakePrompter p;
        AdminOptions o(users, p, {}, u"Pelvar"_s);
        const QString gone = dir.filePath(u"llistes/curs"_s);
        o.open(u"adm999"_s, true, gone);
        QCOMPARE(p.texts().front(), u"No s'ha trobat el directori '%1'"_s.arg(gone));
        QCOMPARE(QDir(o.usersDir()), QDir(dir.path()));
        QVERIFY(o.tablesEnabled());

        addRow(users.RMD_Users, {{u"User"_s, u"Laia"_s}, {u"Privilege"_s, u"A"_s}});
        addRow(users.RMD_Domains, {{u"Domain"_s, u"Escola"_s}, {u"Dir"_s, dir.path()}});
        QVERIFY(o.saveOnClose());
        QVERIFY(QFile::exists(users.UsersFilePath()) && QFile::exists(users.DomainsFilePath()));
        // A row that cannot be posted keeps the dialog open.
        users.RMD_Users.beginInsert(0);
        users.RMD_Users.setPending(u"User"_s, u"LAIA"_s);
        users.RMD_Users.setPending(u"Privilege"_s, u"A"_s);
        p.answers = {MsgButton::Yes};
        QVERIFY(!o.saveOnClose());
        QCOMPARE(p.texts().back(), u"Ja existeix LAIA"_s);
        users.RMD_Users.cancel();
    }

    void tableCommands()
    {
        TDMAdminUsersDomains users;
        FakePrompter p;
        AdminOptions o(users, p, {}, u"Pelvar"_s);
        for (const auto &[group, user] : {std::pair{u"2n"_s, u"bet"_s},
                                          {u"1r"_s, u"Cesc"_s},
                                          {u"2N"_s, u"Anna"_s},
                                          {u"1r"_s, u"abel"_s},
                                          {QString(), u"Dídac"_s}})
            addRow(users.RMD_Users,
                   {{u"Group"_s, group}, {u"User"_s, user}, {u"Privilege"_s, u"A"_s}});
        auto usersInOrder = [&] {
            QStringList out;
            for (int r = 0; r < users.RMD_Users.rowCount(); ++r)
                out << users.RMD_Users.text(r, u"User"_s);
            return out.join(u',');
        };
        o.sortByGroupAndUser();
        QCOMPARE(usersInOrder(), u"Dídac,abel,Cesc,Anna,bet"_s);
        o.sortByUser();
        QCOMPARE(usersInOrder(), u"abel,Anna,bet,Cesc,Dídac"_s);

        // Three selected rows go, exactly those; their names are free again.
        o.deleteUserRows({4, 0, 2});
        QCOMPARE(usersInOrder(), u"Anna,Cesc"_s);
        addRow(users.RMD_Users, {{u"User"_s, u"ABEL"_s}, {u"Privilege"_s, u"A"_s}});
        o.deleteUserRows({});
        QCOMPARE(p.texts().back(), u"Heu de seleccionar alguna fila"_s);
    }

    void domainFolders()
    {
        QTemporaryDir dir;
        TDMAdminUsersDomains users;
        FakePrompter p;
        AdminOptions o(users, p, {}, u"Pelvar"_s);
        const QString gone = dir.filePath(u"esborrat/sub"_s);
        addRow(users.RMD_Domains, {{u"Domain"_s, u"Escola"_s}, {u"Dir"_s, gone}});
        addRow(users.RMD_Domains, {{u"Domain"_s, u"Casa"_s}, {u"Dir"_s, gone}});

        QVERIFY(!o.searchDomainDir({}));
        QCOMPARE(p.texts().back(), u"Heu de seleccionar algun domini del plafó dret"_s);
        QVERIFY(!o.searchDomainDir({0, 1}));
        QCOMPARE(p.texts().back(), u"Heu de seleccionar un sol domini del plafó dret"_s);
        QCOMPARE(QDir(*o.searchDomainDir({1})), QDir(dir.path()));
        QCOMPARE(p.texts().back(), u"No s'ha trobat el directori '%1'"_s.arg(gone));

        QVERIFY(!o.setDomainDir(0, u"\\\\servidor\\carpeta"_s).ok());
        QVERIFY(!o.setDomainDir(0, u"//servidor/carpeta"_s).ok());
        QCOMPARE(users.RMD_Domains.text(0, u"Dir"_s), gone);
        QVERIFY(o.setDomainDir(0, dir.path()).ok());
        QCOMPARE(users.RMD_Domains.text(0, u"Dir"_s), dir.path());
        QVERIFY(users.RMD_Domains.table().value(0, u"ValidDir"_s).toBool());
    }
};

QTEST_GUILESS_MAIN(AdminOptionsTest)
#include "AdminOptionsTest.moc"
