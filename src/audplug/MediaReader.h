#pragma once

#include "audplug/PcmFormat.h"
#include "audplug/PluginIdentity.h"
#include "audplug/ReaderCallback.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

extern "C" {
#include <libavutil/channel_layout.h>
}

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwrContext;

// One attribute of the open file, under the names a Windows Media reader gives them: "Duration"
// (milliseconds), "Bitrate", "Seekable", "Title", "Author", "WM/AlbumTitle", "Copyright",
// "Description", "WM/Genre", "WM/Year", then every other tag of the container under its own name.
struct ReaderAttribute
{
    enum Type { Number = 0, Text = 1, Binary = 2, Boolean = 3 };
    std::string name;
    Type type = Number;
    std::uint64_t number = 0; // Number and Boolean
    std::string text;         // Text (UTF-8)
};

// Demuxes and decodes an audio file with FFmpeg and delivers its samples as interleaved 16-bit
// PCM blocks on a decoder thread of its own, with the end of the file or an error reported
// through the status callback. Operations answer kReaderOk or a failure code.
class MediaReader
{
public:
    // Opens `path`; the reader holds `callback` (addRef now, release when destroyed).
    static std::int32_t create(const std::string &path, ReaderCallback *callback,
                               const PluginIdentity &identity, std::unique_ptr<MediaReader> *out);
    MediaReader(const MediaReader &) = delete;
    MediaReader &operator=(const MediaReader &) = delete;
    // Stops the decoder thread and releases everything.
    ~MediaReader();

    std::int32_t attributeCount(std::uint16_t *count) const;
    std::int32_t attribute(std::uint16_t index, ReaderAttribute *out) const;
    std::int32_t outputFormat(PcmFormat *out) const;

    // The size of the blocks delivered, in bytes (rounded down to whole sample frames; the last
    // block of the file may be shorter).
    void setBlockSize(std::uint32_t bytes) { m_blockBytes = bytes; }
    // Starts (or goes on) delivering from the current place.
    std::int32_t start();
    // Stops delivering. From the decoder thread itself (inside a callback) the thread ends once
    // the callback returns; from any other thread the call waits for it.
    std::int32_t stop();
    // Stops, then the next block comes from `positionMs`.
    std::int32_t seek(std::uint32_t positionMs);
    // Whether stop() was asked: waits inside the callbacks give up.
    bool stopRequested() const { return m_stop.load(); }

private:
    MediaReader() = default;
    // While opening: whether it has read too much or taken too long (FFmpeg's interrupt).
    bool openGaveUp() const;
    static int openInterrupted(void *reader);
    void run();
    // Decodes every frame the decoder has ready; false when the thread is to end.
    bool drainFrames();
    bool deliver(const std::uint8_t *data, std::size_t size);
    bool flushPending();
    void joinIfIdle();

    ReaderCallback *m_callback = nullptr;
    AVFormatContext *m_format = nullptr;
    AVCodecContext *m_codec = nullptr;
    SwrContext *m_swr = nullptr;
    // The input format the converter was set up for.
    int m_inRate = 0;
    int m_inFormat = -1;
    AVChannelLayout m_inLayout{};
    AVPacket *m_packet = nullptr;
    AVFrame *m_frame = nullptr;
    int m_stream = -1;
    PcmFormat m_pcm;
    std::vector<ReaderAttribute> m_attributes;

    std::uint32_t m_blockBytes = 16384;
    std::vector<std::uint8_t> m_pending; // decoded bytes not yet delivered
    std::vector<std::uint8_t> m_converted;
    std::uint64_t m_deliveredFrames = 0;
    bool m_atStart = true; // nothing read since the file was opened
    bool m_seekable = true;
    bool m_opening = true;
    std::chrono::steady_clock::time_point m_openDeadline;

    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<std::thread::id> m_decoderThread{};
};
