#include "users/ui/TFUserFNPasswordDomain.h"

#include <QComboBox>
#include <QFormLayout>

TFUserFNPasswordDomain::TFUserFNPasswordDomain(UserPasswordCheck &check, const QStringList &domains,
                                               Prompter &prompter, HelpRequester *help,
                                               QWidget *parent)
    : TFUserFNPassword(check, prompter, help, parent)
{
    setObjectName(QStringLiteral("TFUserFNPasswordDomain"));
    setWindowTitle(QStringLiteral("Identificació i domini"));
    m_helpContext = HelpContext::UserPasswordDomain;
    m_domain = new QComboBox(this);
    m_domain->setObjectName(QStringLiteral("RLE_Domain"));
    m_domain->addItems(domains);
    m_domain->setCurrentIndex(-1); // a choice the user makes
    form()->addRow(QStringLiteral("&Domini"), m_domain);
}

Credentials TFUserFNPasswordDomain::credentials() const
{
    Credentials c = TFUserFNPassword::credentials();
    c.domain = m_domain->currentIndex() >= 0 ? m_domain->currentText() : QString();
    return c;
}
