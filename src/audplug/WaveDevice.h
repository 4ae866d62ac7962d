#pragma once

#include "audplug/PcmFormat.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// One block of samples queued at the device: a copy of a decoded block in memory of its own.
struct WaveBlock
{
    std::vector<std::uint8_t> data;
};

// A sound output device on ALSA, used the way a wave output device is: blocks are queued, a
// device thread plays them in order and reports each one finished through the completion
// callback (on the device thread), and closing answers "still playing" while blocks remain.
//
// Device numbers: -1 is the system's default device (the ALSA PCM named by the environment
// variable AUDPLUG_PCM, else "default"); 0, 1, ... are ALSA's playback PCMs in the order its
// device hints list them. ALSA's "null" PCM, which discards samples at once, is played in real
// time so that a machine without a sound card paces playback like one with.
class WaveDevice
{
public:
    using Completion = std::function<void(std::unique_ptr<WaveBlock>)>;
    enum class CloseResult { Closed, StillPlaying };

    static constexpr std::uint32_t kFullVolume = 0xFFFFFFFF;

    // The number of playback devices.
    static unsigned deviceCount();
    // The ALSA PCM name of a device number; empty when there is none.
    static std::string deviceName(int number);
    // Whether the device can be opened (its capabilities can be asked).
    static bool deviceAvailable(int number);
    // Opens the device for `format`; nullptr on failure. Without a completion callback the device
    // is only opened (to set its volume).
    static std::unique_ptr<WaveDevice> open(int number, const PcmFormat &format,
                                            Completion completion);

    WaveDevice(const WaveDevice &) = delete;
    WaveDevice &operator=(const WaveDevice &) = delete;
    // Drops what was not played yet and closes.
    ~WaveDevice();

    // Queues a block; false when the device is closing.
    bool write(std::unique_ptr<WaveBlock> block);
    // Drops the blocks not started yet; each is reported finished.
    void reset();
    // Closes once every queued block has been played; else answers StillPlaying.
    CloseResult close();

    // Volumes: low word left, high word right. The device scales the samples itself, and the
    // volume of a device number lasts while the library is loaded, like a device's own setting.
    static void setVolume(int number, std::uint32_t volume);
    static std::uint32_t volume(int number);

private:
    WaveDevice(void *pcm, int number, const PcmFormat &format, Completion completion, bool paced);
    void run();
    bool play(const WaveBlock &block);

    void *m_pcm; // snd_pcm_t
    int m_number;
    PcmFormat m_format;
    Completion m_completion;
    bool m_paced;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::unique_ptr<WaveBlock>> m_queue;
    bool m_busy = false; // a block is being played
    bool m_quit = false;
    std::thread m_thread;
    std::vector<std::uint8_t> m_scaled;
};
