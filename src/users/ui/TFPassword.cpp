#include "users/ui/TFPassword.h"

#include "users/UserNames.h"
#include "users/ui/UserDialogButtons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TFPassword::TFPassword(HelpRequester *help, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFPassword"));
    setWindowTitle(QStringLiteral("Contrasenya"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("E_Password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(kMaxPasswordLength);
    m_password->setMinimumWidth(fontMetrics().averageCharWidth() * 16);
    form->addRow(QStringLiteral("&Contrasenya"), m_password);
    layout->addLayout(form);
    layout->addStretch(1);
    auto *buttons = userDialogButtons(this, help, &m_helpContext);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString TFPassword::password() const
{
    return m_password->text();
}
