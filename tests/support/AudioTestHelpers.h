#pragma once

#include "media/TAuPlayer.h"

#include <QByteArray>

#include <atomic>

// Points the plug-ins' default device at an ALSA PCM for the life of the object ("null" plays
// silently in real time; an unknown name is a machine without a sound device).
class ScopedDefaultPcm
{
public:
    explicit ScopedDefaultPcm(const char *pcm = "null") : m_old(qgetenv("AUDPLUG_PCM"))
    {
        qputenv("AUDPLUG_PCM", pcm);
    }
    ~ScopedDefaultPcm()
    {
        if (m_old.isEmpty())
            qunsetenv("AUDPLUG_PCM");
        else
            qputenv("AUDPLUG_PCM", m_old);
    }
    ScopedDefaultPcm(const ScopedDefaultPcm &) = delete;
    ScopedDefaultPcm &operator=(const ScopedDefaultPcm &) = delete;

private:
    QByteArray m_old;
};

// Counts a plug-in player's output starts and ends: one of each per time a track plays.
struct OutputStartCounter
{
    std::atomic<int> starts{0}, ends{0};
    void attach(TAuPlayer &p)
    {
        p.OnOutputInit = [this](TAuPlayer &, bool &) { ++starts; };
        p.OnOutputDone = [this](TAuPlayer &, bool &) { ++ends; };
        p.OnOutput = [](TAuPlayer &, const void *, int, int, int, int, bool &) {};
    }
};
