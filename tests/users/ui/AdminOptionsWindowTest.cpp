#include "files/ui/RecordNavigator.h"
#include "support/FakePrompter.h"
#include "users/AdminOptions.h"
#include "users/TDMAdminUsersDomains.h"
#include "users/ui/TFAdminisUsersDomains.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class AdminOptionsWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void usersPage()
    {
        QTemporaryDir dir;
        TDMAdminUsersDomains users;
        FakePrompter p;
        AdminOptions options(users, p, {}, u"Pelvar"_s);
        options.open(u"adm999"_s, true, dir.path());
        TFAdminisUsersDomains w(options, users, p);
        w.load(TWriteRes{});
        w.show();
        QVERIFY(w.RxDBG_Users->isEnabled());

        // Rows typed in the grid; the password never shows, the privilege preset applies.
        w.privilegeButtons->button(1)->click();
        QAbstractItemModel *m = w.RxDBG_Users->model();
        for (const QString &name : {u"Anna"_s, u"Bet"_s, u"Cesc"_s, u"Dídac"_s}) {
            QVERIFY(w.A_R_Append->isEnabled());
            w.A_R_Append->trigger();
            QCOMPARE(users.RMD_Users.state(), KeyedTable::EditState::Insert);
            const int row = m->rowCount() - 1;
            QVERIFY(m->setData(m->index(row, 1), name));
            QVERIFY(m->setData(m->index(row, 2), u"secret"_s));
        }
        w.A_T_SortUser->trigger(); // posts the last row first
        QCOMPARE(users.RMD_Users.rowCount(), 4);
        QCOMPARE(m->index(0, 2).data().toString(), u"******"_s);
        QCOMPARE(users.RMD_Users.text(3, u"Privilege"_s), u"V"_s);

        w.A_E_CopyToClipboard->trigger();
        QVERIFY(QApplication::clipboard()->text().startsWith(u"\tAnna\tsecret\tV\r\n"_s));

        // Three selected rows go, exactly those.
        for (int row : {0, 1, 3})
            w.RxDBG_Users->selectionModel()->select(
                m->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        w.A_R_Delete->trigger();
        QCOMPARE(users.RMD_Users.rowCount(), 1);
        QCOMPARE(users.RMD_Users.text(0, u"User"_s), u"Cesc"_s);

        // The table menu follows the page.
        w.PageControl->setCurrentWidget(w.TS_WriteResults);
        QVERIFY(!w.MI_Table->menuAction()->isVisible());
        w.PageControl->setCurrentWidget(w.TS_Domains);
        QVERIFY(w.MI_Table->menuAction()->isVisible());
        QVERIFY(w.A_D_SetDir->isVisible() && !w.A_T_SortUser->isVisible());
        w.A_D_SearchDir->trigger();
        QCOMPARE(p.texts().back(), u"Heu de seleccionar algun domini del plafó dret"_s);

        // Closing saves the lists.
        w.accept();
        QVERIFY(QFile::exists(users.UsersFilePath()));
    }

    void disabledWithoutPassword()
    {
        QTemporaryDir dir;
        TDMAdminUsersDomains users;
        FakePrompter p;
        AdminOptions options(
            users, p, [](int) { return std::optional<QString>(); }, u"Pelvar"_s);
        options.open(QString(), false, dir.path());
        TFAdminisUsersDomains w(options, users, p);
        w.load(TWriteRes{});
        QVERIFY(!w.RxDBG_Users->isEnabled());
        QVERIFY(!w.DE_DBUsersDir->isEnabled());
        w.CB_UseAdminPassword->click(); // the password asked for is cancelled
        QVERIFY(w.DE_DBUsersDir->isEnabled());
        QVERIFY(!w.RxDBG_Users->isEnabled());
        QVERIFY(!w.RxDBG_Domains->isEnabled());
    }
};

QTEST_MAIN(AdminOptionsWindowTest)
#include "AdminOptionsWindowTest.moc"
