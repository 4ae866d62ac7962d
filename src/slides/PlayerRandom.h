#pragma once

#include <QTime>

#include <cstdint>

// The player's 32-bit linear congruential generator: state := state * 134775813 + 1, and
// random(n) := (state * n) div 2^32 taken with the new state.
class PlayerRandom
{
public:
    explicit PlayerRandom(std::uint32_t seed = 0) : m_state(seed) {}

    void seed(std::uint32_t s) { m_state = s; }
    std::uint32_t state() const { return m_state; }

    std::uint32_t random(std::uint32_t n)
    {
        m_state = m_state * 134775813u + 1u;
        return std::uint32_t((std::uint64_t(m_state) * n) >> 32);
    }

    // The seed taken from a time of day in UTC: milliseconds since midnight.
    static std::uint32_t seedFromTime(const QTime &utc)
    {
        return std::uint32_t(((utc.hour() * 60 + utc.minute()) * 60 + utc.second()) * 1000 +
                             utc.msec());
    }

private:
    std::uint32_t m_state;
};
