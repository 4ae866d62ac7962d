#pragma once

#include <QString>

// The system media player that plays every track the plug-ins do not (WAV, MIDI, CD audio).
// The windows implement it with Qt Multimedia; tests use a recording fake.
class MediaTrackPlayer
{
public:
    enum class DeviceType { Automatic, CdAudio };

    virtual ~MediaTrackPlayer() = default;
    // Opens a file; for CD audio, `track` is the track number to start at.
    virtual void open(const QString &path, DeviceType type, int track) = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void close() = 0;
};
