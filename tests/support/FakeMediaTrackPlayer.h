#pragma once

#include "media/MediaTrackPlayer.h"

#include <QString>
#include <QStringList>

// Records what the player asks of the system media player.
class FakeMediaTrackPlayer : public MediaTrackPlayer
{
public:
    QStringList calls; // "open <path> <cd|auto> <track>", "play", "stop", "close"

    void open(const QString &path, DeviceType type, int track) override
    {
        calls << QStringLiteral("open %1 %2 %3")
                     .arg(path, type == DeviceType::CdAudio ? QStringLiteral("cd")
                                                            : QStringLiteral("auto"))
                     .arg(track);
    }
    void play() override { calls << QStringLiteral("play"); }
    void stop() override { calls << QStringLiteral("stop"); }
    void close() override { calls << QStringLiteral("close"); }
};
