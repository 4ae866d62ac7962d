#pragma once

#include "users/ui/TFUserFNPassword.h"

class QComboBox;

// Identification with a password and the choice of a domain among the listed ones.
class TFUserFNPasswordDomain : public TFUserFNPassword
{
    Q_OBJECT
public:
    TFUserFNPasswordDomain(UserPasswordCheck &check, const QStringList &domains, Prompter &prompter,
                           HelpRequester *help = nullptr, QWidget *parent = nullptr);

    QComboBox *domainBox() const { return m_domain; }
    Credentials credentials() const override;

protected:
    UserPasswordCheck::Domain domainRule() const override
    {
        return UserPasswordCheck::Domain::Required;
    }

private:
    QComboBox *m_domain;
};
