#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Audio files the tests make themselves with the ffmpeg command: tones in a given codec, rate
// and channel count, with tags; and FFmpeg's own decode of a file to 16-bit PCM, the reference
// the plug-ins must match sample for sample.
namespace AudioFixtures {

struct Tone
{
    QString codec = QStringLiteral("wmav2"); // wmav1, wmav2, libmp3lame, libvorbis, mp2
    int sampleRate = 44100;
    int channels = 2;
    double seconds = 1.0;
    int frequency = 440;
    QStringList tags;     // "key=value" metadata
    QString metadataFile; // an ffmetadata file for tags too long for a command line
};

// Whether the ffmpeg command is there.
bool available();
// Encodes a tone into `path` (the extension picks the container); false when ffmpeg failed.
bool encode(const QString &path, const Tone &tone);
// FFmpeg's decode of `path` to interleaved signed 16-bit little-endian samples.
QByteArray referencePcm(const QString &path);

} // namespace AudioFixtures
