#include "media/TAuPlayers.h"

#include <algorithm>

TAuPlayers &TAuPlayers::operator=(const TAuPlayers &other)
{
    if (this == &other)
        return *this;
    m_items.clear();
    for (const auto &p : other.m_items)
        add().assignProperties(*p);
    return *this;
}

TAuPlayer &TAuPlayers::add()
{
    m_items.push_back(std::make_unique<TAuPlayer>(this));
    return *m_items.back();
}

void TAuPlayers::remove(TAuPlayer &player)
{
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [&player](const auto &p) { return p.get() == &player; });
    if (it != m_items.end())
        m_items.erase(it);
}
