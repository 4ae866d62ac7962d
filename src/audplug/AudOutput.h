#pragma once

#include "audplug/ModuleState.h"
#include "audplug/RiffWriter.h"
#include "audplug/WaveDevice.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

// Where the decoded blocks go while a stream plays: the sound device (mode 0), a WAV file
// (mode 1) or the host's output callback (mode 3), chosen when the output is opened.
class AudOutput
{
public:
    explicit AudOutput(ModuleState &module) : m(module) {}
    AudOutput(const AudOutput &) = delete;
    AudOutput &operator=(const AudOutput &) = delete;
    ~AudOutput();

    // Opens the output in the module's output mode for a stream of `stream`'s format; false
    // when the device, the file or the host's callbacks refuse.
    bool open(const PcmFormat &stream);
    // Writes one block (on the decoder thread). Blocks are skipped while seeking, or once
    // `abandon` answers true during a wait for a free device slot. False when writing failed.
    bool write(const std::uint8_t *data, std::uint32_t size, const std::function<bool()> &abandon);
    // Waits, in 77 ms steps, until the device has played every queued block.
    void waitDrained() const;
    // Closes the output; a device closes once its queued blocks have played. Safe to call
    // twice and from the decoder thread.
    void close();

    bool isOpen() const { return m_open.load(); }
    ApInt kind() const { return m_kind; }
    int queuedBlocks() const { return m_queued.load(); }

    // Volume of the device (device output only).
    bool canSetVolume(ApBool *separateChannels) const;
    bool setVolume(ApUInt volume);
    bool getVolume(ApUInt *volume) const;

private:
    void blockFinished(std::unique_ptr<WaveBlock> block);
    bool callAction(ApBool flag) const;

    ModuleState &m;
    ApInt m_kind = apOutDevice;
    std::atomic<bool> m_open{false};
    std::unique_ptr<WaveDevice> m_device;
    PcmFormat m_format;
    std::atomic<int> m_queued{0};
    RiffWriter m_file;
    std::mutex m_closing;
};

// The waits of the decoder thread and of stop and seek.
inline constexpr int kWaitStepMs = 77;
inline constexpr int kFileBlockPauseMs = 20;
void sleepMs(int ms);
