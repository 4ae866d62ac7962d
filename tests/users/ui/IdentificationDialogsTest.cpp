#include "config/Base64.h"
#include "support/FakePrompter.h"
#include "users/TDMAdminUsersDomains.h"
#include "users/ui/TFPassword.h"
#include "users/ui/TFSetPassword.h"
#include "users/ui/TFUserFN.h"
#include "users/ui/TFUserFNPassword.h"
#include "users/ui/TFUserFNPasswordDomain.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class IdentificationDialogsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    void loadUsers(TDMAdminUsersDomains &users)
    {
        QFile f(m_dir.filePath(u"Users.txt"_s));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(encodeBase64Bytes("\tMaria\tmar123\tE\r\n"));
        f.close();
        users.SetUsersDir(m_dir.path());
        QVERIFY(users.LoadUsers().ok());
    }

private Q_SLOTS:
    void userNameField()
    {
        FakePrompter p;
        TFUserFN dialog(p);
        dialog.setClosingQuestion(u"continuar?"_s);
        dialog.show();
        QTest::keyClicks(dialog.userNameEdit(), u" a/b:c.d\\e?\"f<g>|h"_s);
        QCOMPARE(dialog.userName(), u"abcdefgh"_s);

        // OK needs a name; closing without OK asks, and No keeps it open.
        dialog.userNameEdit()->clear();
        dialog.accept();
        QVERIFY(dialog.isVisible());
        p.answers = {MsgButton::No};
        dialog.reject();
        QVERIFY(dialog.isVisible());
        QCOMPARE(p.texts().back(), u"continuar?"_s);
        p.answers = {MsgButton::Yes};
        dialog.reject();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void setPasswordChecks()
    {
        FakePrompter p;
        TFSetPassword dialog(p, HelpContext::ChangeUserPassword);
        dialog.show();
        QCOMPARE(dialog.newPasswordEdit()->echoMode(), QLineEdit::Password);
        QCOMPARE(dialog.checkPasswordEdit()->echoMode(), QLineEdit::Password);
        QTest::keyClicks(dialog.newPasswordEdit(), u"abcdefg"_s);
        QCOMPARE(dialog.newPassword(), u"abcdef"_s); // the seventh cannot be typed
        QVERIFY(!dialog.newPasswordEdit()->displayText().contains(u"abc"_s));

        dialog.newPasswordEdit()->setText(u"ab"_s);
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(p.texts().back(), u"La contrasenya ha de tenir un mínim de 3 caràcters"_s);
        dialog.newPasswordEdit()->setText(u"abc"_s);
        dialog.checkPasswordEdit()->setText(u"abd"_s);
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.checkPasswordEdit()->text().isEmpty());
        dialog.checkPasswordEdit()->setText(u"abc"_s);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    // OK runs the check: a wrong password closes the dialog as cancelled, without a question.
    void identificationOk()
    {
        TDMAdminUsersDomains users;
        loadUsers(users);
        FakePrompter p;
        UserPasswordCheck check(users, p);
        TFUserFNPassword dialog(check, p);
        QCOMPARE(dialog.passwordEdit()->echoMode(), QLineEdit::Password);
        dialog.setUserName(u"maria"_s);
        dialog.show();
        dialog.passwordEdit()->setText(u"MAR123"_s);
        dialog.accept();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(p.texts().back().startsWith(u"Contrasenya incorrecta."_s));

        // With domains, a right password and no domain keeps it open.
        UserPasswordCheck second(users, p);
        TFUserFNPasswordDomain withDomain(second, {u"Escola"_s, u"Casa"_s}, p);
        withDomain.show();
        withDomain.setUserName(u"Maria"_s);
        withDomain.passwordEdit()->setText(u"mar123"_s);
        withDomain.accept();
        QVERIFY(withDomain.isVisible());
        QVERIFY(!withDomain.domainBox()->isEditable());
        withDomain.domainBox()->setCurrentIndex(1);
        withDomain.accept();
        QCOMPARE(withDomain.result(), int(QDialog::Accepted));
        QCOMPARE(withDomain.credentials().domain, u"Casa"_s);
    }

    // "Contrasenya": after the check passes the new password is chosen and the list saved.
    void changeOwnPassword()
    {
        TDMAdminUsersDomains users;
        loadUsers(users);
        FakePrompter p;
        UserPasswordCheck check(users, p);
        TFUserFNPassword dialog(check, p);
        dialog.show();
        dialog.setUserName(u"Maria"_s);
        dialog.passwordEdit()->setText(u"mar123"_s);
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto *set = qobject_cast<TFSetPassword *>(QApplication::activeModalWidget());
            if (!set)
                return;
            seen = true;
            set->newPasswordEdit()->setText(u"nova1"_s);
            set->checkPasswordEdit()->setText(u"nova1"_s);
            set->accept();
        });
        dialog.passwordButton()->click();
        QVERIFY(seen);
        TDMAdminUsersDomains again;
        again.SetUsersDir(m_dir.path());
        QVERIFY(again.LoadUsers().ok());
        QCOMPARE(again.RMD_Users.text(0, u"Password"_s), u"nova1"_s);

        // A wrong password leaves it open the first time, closes it the second.
        dialog.passwordEdit()->setText(u"xxx"_s);
        dialog.passwordButton()->click();
        QVERIFY(dialog.isVisible());
        dialog.passwordButton()->click();
        QVERIFY(!dialog.isVisible());
    }

    void adminPasswordHidden()
    {
        TFPassword dialog;
        QCOMPARE(dialog.passwordEdit()->echoMode(), QLineEdit::Password);
        QCOMPARE(dialog.passwordEdit()->maxLength(), 6);
    }
};

QTEST_MAIN(IdentificationDialogsTest)
#include "IdentificationDialogsTest.moc"
