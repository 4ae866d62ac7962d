#include "users/ui/TFUserFNPassword.h"

#include "users/UserNames.h"
#include "users/ui/TFSetPassword.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

TFUserFNPassword::TFUserFNPassword(UserPasswordCheck &check, Prompter &prompter,
                                   HelpRequester *help, QWidget *parent)
    : TFUserFN(prompter, help, parent), m_check(check), m_help(help)
{
    setObjectName(QStringLiteral("TFUserFNPassword"));
    setWindowTitle(QStringLiteral("Identificació"));
    m_helpContext = HelpContext::UserPassword;
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("E_Password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(kMaxPasswordLength);
    form()->addRow(QStringLiteral("&Contrasenya"), m_password);
    m_passwordButton = new QPushButton(QStringLiteral("Contrasenya"), this);
    m_passwordButton->setObjectName(QStringLiteral("BB_Password"));
    m_passwordButton->setAutoDefault(false);
    buttons()->addButton(m_passwordButton, QDialogButtonBox::ActionRole);
    connect(m_passwordButton, &QPushButton::clicked, this, &TFUserFNPassword::changePassword);
}

QString TFUserFNPassword::password() const
{
    return m_password->text();
}

Credentials TFUserFNPassword::credentials() const
{
    return {userName(), password(), QString()};
}

void TFUserFNPassword::accept()
{
    if (userName().isEmpty()) {
        userNameEdit()->setFocus();
        return;
    }
    switch (m_check.acceptOk(credentials(), domainRule())) {
    case UserPasswordCheck::OkResult::Accept: acceptNow(); break;
    case UserPasswordCheck::OkResult::StayOpen: break;
    case UserPasswordCheck::OkResult::CloseCancelled: closeCancelled(); break;
    }
}

void TFUserFNPassword::changePassword()
{
    switch (m_check.CheckUserPassword(userName(), password())) {
    case UserPasswordCheck::Outcome::Cancelled: closeCancelled(); return;
    case UserPasswordCheck::Outcome::Fail: return;
    case UserPasswordCheck::Outcome::Pass: break;
    }
    TFSetPassword dialog(m_prompter, HelpContext::ChangeUserPassword, m_help, this);
    dialog.setMaxPasswordLength(kMaxPasswordLength);
    if (dialog.exec() == QDialog::Accepted)
        (void)m_check.storeNewPassword(userName(), dialog.newPassword());
}

void TFUserFNPassword::showEvent(QShowEvent *event)
{
    TFUserFN::showEvent(event);
    if (!userName().isEmpty())
        QTimer::singleShot(0, m_password, qOverload<>(&QWidget::setFocus));
}
