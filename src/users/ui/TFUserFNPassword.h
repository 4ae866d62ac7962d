#pragma once

#include "users/Identification.h"
#include "users/ui/TFUserFN.h"

class QPushButton;

// Identification with a password: OK runs the users module's check (a failure closes it as
// cancelled); "Contrasenya" lets a user who typed his password right choose a new one.
class TFUserFNPassword : public TFUserFN
{
    Q_OBJECT
public:
    TFUserFNPassword(UserPasswordCheck &check, Prompter &prompter, HelpRequester *help = nullptr,
                     QWidget *parent = nullptr);

    QString password() const;
    QLineEdit *passwordEdit() const { return m_password; }
    QPushButton *passwordButton() const { return m_passwordButton; }
    // What OK hands back.
    virtual Credentials credentials() const;

    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;
    virtual UserPasswordCheck::Domain domainRule() const { return UserPasswordCheck::Domain::None; }
    UserPasswordCheck &m_check;
    HelpRequester *m_help;

private:
    void changePassword();
    QLineEdit *m_password;
    QPushButton *m_passwordButton;
};
