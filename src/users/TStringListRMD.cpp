#include "users/TStringListRMD.h"

void TStringListRMD::add(const QString &key)
{
    if (!key.isEmpty())
        ++m_count[fold(key)];
}

void TStringListRMD::remove(const QString &key)
{
    if (key.isEmpty())
        return;
    const auto it = m_count.find(fold(key));
    if (it == m_count.end())
        return;
    if (--it.value() <= 0)
        m_count.erase(it);
}

bool TStringListRMD::contains(const QString &key) const
{
    return !key.isEmpty() && m_count.contains(fold(key));
}
