#pragma once

#include "files/HelpContexts.h"

#include <QDialog>

class HelpRequester;
class Prompter;
class QLineEdit;

// Chooses a new password, typed twice; OK refuses an empty, short or unmatched one.
class TFSetPassword : public QDialog
{
    Q_OBJECT
public:
    TFSetPassword(Prompter &prompter, HelpContext helpContext, HelpRequester *help = nullptr,
                  QWidget *parent = nullptr);

    void setMaxPasswordLength(int length);
    QString newPassword() const;
    QLineEdit *newPasswordEdit() const { return m_new; }
    QLineEdit *checkPasswordEdit() const { return m_check; }

    void accept() override;

private:
    Prompter &m_prompter;
    HelpContext m_helpContext;
    QLineEdit *m_new;
    QLineEdit *m_check;
};
