#pragma once

#include "media/TAuPlayer.h"

#include <memory>
#include <vector>

class TAuPlayerMan;

// The ordered collection of plug-in players; its owner is the player manager.
class TAuPlayers
{
public:
    explicit TAuPlayers(TAuPlayerMan *owner = nullptr) : m_owner(owner) {}
    TAuPlayers(const TAuPlayers &) = delete;
    // Copies the items' stored properties; the copies are not initialised.
    TAuPlayers &operator=(const TAuPlayers &other);

    TAuPlayerMan *owner() const { return m_owner; }
    int count() const { return int(m_items.size()); }
    TAuPlayer &at(int index) const { return *m_items.at(std::size_t(index)); }
    TAuPlayer &add();
    // Frees the player (de-initialising it).
    void remove(TAuPlayer &player);
    void clear() { m_items.clear(); }

private:
    TAuPlayerMan *m_owner;
    std::vector<std::unique_ptr<TAuPlayer>> m_items;
};
