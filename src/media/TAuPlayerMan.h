#pragma once

#include "media/TAuPlayers.h"

#include <QString>

// Owns the plug-in players and finds the one for a file by its extension.
class TAuPlayerMan
{
public:
    TAuPlayerMan() : m_players(this) {}
    TAuPlayerMan(const TAuPlayerMan &) = delete;
    TAuPlayerMan &operator=(const TAuPlayerMan &) = delete;

    TAuPlayers &Players() { return m_players; }
    const TAuPlayers &Players() const { return m_players; }
    void setPlayers(const TAuPlayers &players) { m_players = players; }

    // `ext` with its dot (".wma"): the first initialised player whose extension list holds it,
    // compared in upper case; nullptr for none (and for ".").
    TAuPlayer *FindPlayer(const QString &ext) const;

    // Adds a player for every "*.apq" file of `folder`, in the order the folder lists them, each
    // initialised for file input, device output and the default device; one that fails is
    // dropped without a word. Returns how many were added.
    int AddPluginsIn(const QString &folder);

private:
    TAuPlayers m_players;
};
