#pragma once

#include "users/Identification.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

// The identification dialogs as a script: each ask takes the next answer. The user-password
// dialog runs the check on every scripted OK as the real one does, staying open or closing as
// cancelled as the check says. What was shown is recorded.
class ScriptedIdentificationDialogs : public IdentificationDialogs
{
public:
    std::deque<std::optional<QString>> userNames;
    std::deque<std::optional<QString>> adminPasswords;
    std::deque<std::optional<Credentials>> attempts; // nullopt: Cancel

    QStringList shown; // "TFUserFN", "TFPassword", "TFUserFNPassword", "TFUserFNPasswordDomain"
    QString initialName;
    QStringList domainsOffered;

    std::optional<QString> askUserName(const QString &) override
    {
        shown << QStringLiteral("TFUserFN");
        return take(userNames);
    }
    std::optional<QString> askAdminPassword() override
    {
        shown << QStringLiteral("TFPassword");
        return take(adminPasswords);
    }
    std::optional<Credentials> askUserPassword(UserPasswordCheck &check, const QStringList &domains,
                                               const QString &initial) override
    {
        shown << (domains.isEmpty() ? QStringLiteral("TFUserFNPassword")
                                    : QStringLiteral("TFUserFNPasswordDomain"));
        initialName = initial;
        domainsOffered = domains;
        const auto rule = domains.isEmpty() ? UserPasswordCheck::Domain::None
                                            : UserPasswordCheck::Domain::Required;
        while (!attempts.empty()) {
            const auto attempt = take(attempts);
            if (!attempt)
                return std::nullopt;
            switch (check.acceptOk(*attempt, rule)) {
            case UserPasswordCheck::OkResult::Accept: return attempt;
            case UserPasswordCheck::OkResult::StayOpen: break;
            case UserPasswordCheck::OkResult::CloseCancelled: return std::nullopt;
            }
        }
        return std::nullopt;
    }

private:
    template <typename T> static std::optional<T> take(std::deque<std::optional<T>> &q)
    {
        if (q.empty())
            return std::nullopt;
        const bool cancelled = !q.front().has_value();
        T value = cancelled ? T() : *q.front();
        q.pop_front();
        if (cancelled)
            return std::nullopt;
        return value;
    }
};
