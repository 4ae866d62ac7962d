#pragma once

#include "files/HelpContexts.h"

#include <QDialog>

class HelpRequester;
class Prompter;
class QDialogButtonBox;
class QFormLayout;
class QLineEdit;

// Asks the user's name (which becomes part of file names, so path characters cannot be typed).
// Closing it without OK asks the closing question, when one is given; No keeps it open.
class TFUserFN : public QDialog
{
    Q_OBJECT
public:
    explicit TFUserFN(Prompter &prompter, HelpRequester *help = nullptr, QWidget *parent = nullptr);

    void setClosingQuestion(const QString &question) { m_closingQuestion = question; }
    void setUserName(const QString &name);
    QString userName() const;
    QLineEdit *userNameEdit() const { return m_name; }

    void accept() override;
    void reject() override;

protected:
    // The fields' layout and the buttons, for the dialogs built on this one.
    QFormLayout *form() const { return m_form; }
    QDialogButtonBox *buttons() const { return m_buttons; }
    // Closes as cancelled without the closing question.
    void closeCancelled() { QDialog::reject(); }
    void acceptNow() { QDialog::accept(); }
    HelpContext m_helpContext = HelpContext::UserName;
    Prompter &m_prompter;

private:
    QLineEdit *m_name;
    QFormLayout *m_form;
    QDialogButtonBox *m_buttons;
    QString m_closingQuestion;
};
