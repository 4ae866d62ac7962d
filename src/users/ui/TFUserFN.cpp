#include "users/ui/TFUserFN.h"

#include "files/Prompter.h"
#include "users/ui/UserDialogButtons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TFUserFN::TFUserFN(Prompter &prompter, HelpRequester *help, QWidget *parent)
    : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFUserFN"));
    setWindowTitle(QStringLiteral("Usuari"));
    auto *layout = new QVBoxLayout(this);
    m_form = new QFormLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("E_UserNameFN"));
    m_name->setMaxLength(16);
    m_name->setMinimumWidth(fontMetrics().averageCharWidth() * 24);
    installUserNameFilter(m_name);
    m_form->addRow(QStringLiteral("&Usuari"), m_name);
    layout->addLayout(m_form);
    layout->addStretch(1);
    m_buttons = userDialogButtons(this, help, &m_helpContext);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &TFUserFN::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &TFUserFN::reject);
}

void TFUserFN::setUserName(const QString &name)
{
    m_name->setText(name);
}

QString TFUserFN::userName() const
{
    return m_name->text();
}

void TFUserFN::accept()
{
    // The name is required: the dialog stays open.
    if (m_name->text().isEmpty()) {
        m_name->setFocus();
        return;
    }
    QDialog::accept();
}

void TFUserFN::reject()
{
    if (!m_closingQuestion.isEmpty() && !m_prompter.AskYes(m_closingQuestion)) {
        m_name->setFocus();
        return;
    }
    QDialog::reject();
}
