#include "users/ui/QtIdentificationDialogs.h"

#include "users/ui/TFPassword.h"
#include "users/ui/TFUserFN.h"
#include "users/ui/TFUserFNPassword.h"
#include "users/ui/TFUserFNPasswordDomain.h"

#include <memory>

QtIdentificationDialogs::QtIdentificationDialogs(Prompter &prompter, QWidget *parent,
                                                 HelpRequester *help)
    : m_prompter(prompter), m_parent(parent), m_help(help)
{}

std::optional<QString> QtIdentificationDialogs::askUserName(const QString &closingQuestion)
{
    TFUserFN dialog(m_prompter, m_help, m_parent);
    dialog.setClosingQuestion(closingQuestion);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.userName();
}

std::optional<QString> QtIdentificationDialogs::askAdminPassword()
{
    TFPassword dialog(m_help, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.password();
}

std::optional<Credentials> QtIdentificationDialogs::askUserPassword(UserPasswordCheck &check,
                                                                    const QStringList &domains,
                                                                    const QString &initialName)
{
    std::unique_ptr<TFUserFNPassword> dialog;
    if (domains.isEmpty())
        dialog = std::make_unique<TFUserFNPassword>(check, m_prompter, m_help, m_parent);
    else
        dialog =
            std::make_unique<TFUserFNPasswordDomain>(check, domains, m_prompter, m_help, m_parent);
    dialog->setUserName(initialName);
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog->credentials();
}
