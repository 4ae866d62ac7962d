#pragma once

#include "files/HelpContexts.h"

#include <QDialog>

class HelpRequester;
class QLineEdit;

// Asks the administrator password alone.
class TFPassword : public QDialog
{
    Q_OBJECT
public:
    explicit TFPassword(HelpRequester *help = nullptr, QWidget *parent = nullptr);
    QString password() const;
    QLineEdit *passwordEdit() const { return m_password; }

private:
    QLineEdit *m_password;
    HelpContext m_helpContext = HelpContext::AdminPassword;
};
