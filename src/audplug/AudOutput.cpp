#include "audplug/AudOutput.h"

#include <chrono>
#include <thread>

void sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

AudOutput::~AudOutput()
{
    close();
}

bool AudOutput::callAction(ApBool flag) const
{
    return m.outputActionCallback && m.outputActionCallback(flag, m.outputUserData) != 0;
}

bool AudOutput::open(const PcmFormat &stream)
{
    std::lock_guard lock(m_closing);
    m_kind = m.outputMode;
    m_format = stream;
    m_queued = 0;
    switch (m_kind) {
    case apOutCallback:
        if (!m.outputCallback || !m.outputActionCallback || !callAction(1))
            return false;
        m_open = true;
        return true;
    case apOutDevice: {
        if (WaveDevice::deviceCount() == 0)
            return false;
        m.seeking = false;
        m_device =
            WaveDevice::open(m.deviceNumber, deviceFormatFor(stream),
                             [this](std::unique_ptr<WaveBlock> b) { blockFinished(std::move(b)); });
        if (!m_device)
            return false;
        m_device->reset();
        sleepMs(kWaitStepMs);
        break;
    }
    case apOutFile:
        if (!m.hasOutputName || !m_file.create(m.outputName, stream))
            return false;
        break;
    default: return false;
    }
    // A host that does not take the output's start and end gets no blocks either.
    if (m.outputCallbackOn && !callAction(1))
        m.outputCallbackOn = false;
    m_open = true;
    return true;
}

bool AudOutput::write(const std::uint8_t *data, std::uint32_t size,
                      const std::function<bool()> &abandon)
{
    if (!m_open.load() || m.seeking.load())
        return true;
    switch (m_kind) {
    case apOutCallback:
        return m.outputCallback(data, ApInt(m_format.bitsPerSample), ApInt(m_format.channels),
                                ApInt(m_format.sampleRate), ApInt(size), m.outputUserData) != 0;
    case apOutDevice: {
        // The decoder is held back: at most `buffers count` blocks wait at the device.
        while (m_queued.load() >= m.buffersCount) {
            if (m.seeking.load() || abandon())
                return true;
            sleepMs(kWaitStepMs);
        }
        if (m.seeking.load())
            return true;
        // The host hears of a block as queued only once it goes to the device: a block dropped
        // by a stop or a seek while the decoder waited is never announced, so every announced
        // block is also reported played.
        if (m.outputCallbackOn && m.outputCallback)
            m.outputCallback(data, ApInt(m_format.bitsPerSample), ApInt(m_format.channels),
                             ApInt(m_format.sampleRate), ApInt(size), m.outputUserData);
        auto block = std::make_unique<WaveBlock>();
        block->data.assign(data, data + size);
        ++m_queued;
        if (!m_device || !m_device->write(std::move(block))) {
            --m_queued;
            return false;
        }
        return true;
    }
    case apOutFile: {
        const bool ok = m_file.append(data, size);
        sleepMs(kFileBlockPauseMs);
        return ok;
    }
    default: return false;
    }
}

void AudOutput::blockFinished(std::unique_ptr<WaveBlock> block)
{
    // With the device and the output callback, the host sees each block queued and played.
    if (m.outputCallbackOn && m.outputCallback)
        m.outputCallback(block->data.data(), ApInt(m_format.bitsPerSample),
                         ApInt(m_format.channels), ApInt(m_format.sampleRate),
                         ApInt(block->data.size()), m.outputUserData);
    block.reset();
    --m_queued;
}

void AudOutput::waitDrained() const
{
    while (m_queued.load() > 0)
        sleepMs(kWaitStepMs);
}

void AudOutput::close()
{
    std::lock_guard lock(m_closing);
    if (!m_open.exchange(false))
        return;
    switch (m_kind) {
    case apOutCallback: callAction(0); break;
    case apOutDevice:
        if (m_device) {
            while (m_device->close() == WaveDevice::CloseResult::StillPlaying)
                sleepMs(kWaitStepMs);
        }
        if (m.outputCallbackOn && m.outputActionCallback)
            callAction(0);
        m_device.reset();
        m_queued = 0;
        break;
    case apOutFile:
        if (m.outputCallbackOn && m.outputActionCallback)
            callAction(0);
        m_file.close();
        break;
    default: break;
    }
}

bool AudOutput::canSetVolume(ApBool *separateChannels) const
{
    if (m.outputMode != apOutDevice || !WaveDevice::deviceAvailable(m.deviceNumber))
        return false;
    if (separateChannels)
        *separateChannels = 1; // the device scales left and right apart
    return true;
}

bool AudOutput::setVolume(ApUInt volume)
{
    if (m.outputMode != apOutDevice)
        return false;
    if (!(m_open.load() && m_kind == apOutDevice)) {
        // Not playing: the device is opened briefly, as setting its volume needs it.
        if (!WaveDevice::open(m.deviceNumber, deviceFormatFor(m.format), nullptr))
            return false;
    }
    WaveDevice::setVolume(m.deviceNumber, volume);
    return true;
}

bool AudOutput::getVolume(ApUInt *volume) const
{
    if (m.outputMode != apOutDevice || !volume)
        return false;
    if (!(m_open.load() && m_kind == apOutDevice) &&
        !WaveDevice::open(m.deviceNumber, deviceFormatFor(m.format), nullptr))
        return false;
    *volume = WaveDevice::volume(m.deviceNumber);
    return true;
}
