#include "player/WebHistory.h"

namespace {

QString historyHint(const QStringList &list, const QString &which)
{
    if (list.isEmpty())
        return QString();
    return QStringLiteral("Ves a la pàgina %1:\r\n%2,\r\nacabada de visitar").arg(which, list[0]);
}

} // namespace

void WebHistory::StartSlide()
{
    m_back.clear();
    m_forward.clear();
    m_firstNavigation = true;
}

void WebHistory::Clear()
{
    StartSlide();
    m_current.clear();
}

void WebHistory::BeforeNavigate(const QString &target)
{
    if (m_firstNavigation) {
        m_current = target;
        m_firstNavigation = false;
        return;
    }
    if (target == m_current)
        return; // a reload, or the view carrying out a history command
    if (const qsizetype i = m_back.indexOf(target); i >= 0) {
        (void)GoHistory(List::Back, i, Navigate::No);
        return;
    }
    if (const qsizetype i = m_forward.indexOf(target); i >= 0) {
        (void)GoHistory(List::Forward, i, Navigate::No);
        return;
    }
    m_forward.clear();
    m_back.prepend(m_current);
    m_current = target;
}

std::optional<QString> WebHistory::GoHistory(List list, qsizetype i, Navigate navigate)
{
    QStringList &from = listOf(list);
    QStringList &to = listOf(list == List::Back ? List::Forward : List::Back);
    if (i < 0 || i >= from.size())
        return std::nullopt;
    to.prepend(m_current);
    m_current = from[i];
    for (qsizetype k = 0; k < i; ++k)
        to.prepend(from[k]);
    from.remove(0, i + 1);
    if (navigate == Navigate::No)
        return std::nullopt;
    return m_current;
}

std::optional<QString> WebHistory::Home()
{
    return GoHistory(List::Back, m_back.size() - 1, Navigate::Yes);
}

QString WebHistory::backwardHint() const
{
    return historyHint(m_back, QStringLiteral("anterior"));
}

QString WebHistory::forwardHint() const
{
    return historyHint(m_forward, QStringLiteral("posterior"));
}
