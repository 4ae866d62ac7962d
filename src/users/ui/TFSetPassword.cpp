#include "users/ui/TFSetPassword.h"

#include "files/Prompter.h"
#include "users/Identification.h"
#include "users/UserNames.h"
#include "users/ui/UserDialogButtons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TFSetPassword::TFSetPassword(Prompter &prompter, HelpContext helpContext, HelpRequester *help,
                             QWidget *parent)
    : QDialog(parent), m_prompter(prompter), m_helpContext(helpContext)
{
    setObjectName(QStringLiteral("TFSetPassword"));
    setWindowTitle(QStringLiteral("Manteniment contrasenya"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_new = new QLineEdit(this);
    m_new->setObjectName(QStringLiteral("E_NewPassword"));
    m_check = new QLineEdit(this);
    m_check->setObjectName(QStringLiteral("E_CheckPassword"));
    for (QLineEdit *e : {m_new, m_check}) {
        e->setEchoMode(QLineEdit::Password);
        e->setMinimumWidth(fontMetrics().averageCharWidth() * 16);
    }
    setMaxPasswordLength(kMaxPasswordLength);
    form->addRow(QStringLiteral("Nova contrasenya"), m_new);
    form->addRow(QStringLiteral("Comprovació"), m_check);
    layout->addLayout(form);
    layout->addStretch(1);
    auto *buttons = userDialogButtons(this, help, &m_helpContext);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TFSetPassword::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TFSetPassword::setMaxPasswordLength(int length)
{
    m_new->setMaxLength(length);
    m_check->setMaxLength(length);
}

QString TFSetPassword::newPassword() const
{
    return m_new->text();
}

void TFSetPassword::accept()
{
    if (const auto fault = CheckNewPassword(m_new->text(), m_check->text())) {
        if (fault->clearCheck)
            m_check->clear();
        m_prompter.ShowError(fault->message);
        (fault->field == PasswordEntryFault::Field::NewPassword ? m_new : m_check)->setFocus();
        return;
    }
    QDialog::accept();
}
