#pragma once

#include "users/Identification.h"

class HelpRequester;
class QWidget;

// The identification dialogs as the program shows them, modal over `parent`.
class QtIdentificationDialogs : public IdentificationDialogs
{
public:
    QtIdentificationDialogs(Prompter &prompter, QWidget *parent, HelpRequester *help = nullptr);

    std::optional<QString> askUserName(const QString &closingQuestion) override;
    std::optional<QString> askAdminPassword() override;
    std::optional<Credentials> askUserPassword(UserPasswordCheck &check, const QStringList &domains,
                                               const QString &initialName) override;

private:
    Prompter &m_prompter;
    QWidget *m_parent;
    HelpRequester *m_help;
};
