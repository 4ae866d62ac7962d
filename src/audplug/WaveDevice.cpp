#include "audplug/WaveDevice.h"

#include <alsa/asoundlib.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>

namespace {

using Clock = std::chrono::steady_clock;
constexpr unsigned kLatencyUs = 200000;

void silentAlsaErrors(const char *, int, const char *, int, const char *, ...) {}

// ALSA writes its complaints (no card, unknown PCM) to standard error; a plug-in stays quiet.
void quietAlsa()
{
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(silentAlsaErrors); });
}

std::vector<std::string> playbackPcms()
{
    quietAlsa();
    std::vector<std::string> names;
    void **hints = nullptr;
    if (snd_device_name_hint(-1, "pcm", &hints) < 0 || !hints)
        return names;
    for (void **h = hints; *h; ++h) {
        char *name = snd_device_name_get_hint(*h, "NAME");
        char *io = snd_device_name_get_hint(*h, "IOID");
        if (name && (!io || std::strcmp(io, "Output") == 0))
            names.emplace_back(name);
        std::free(name);
        std::free(io);
    }
    snd_device_name_free_hint(hints);
    return names;
}

snd_pcm_format_t alsaFormat(std::uint32_t bits)
{
    switch (bits) {
    case 8: return SND_PCM_FORMAT_U8;
    case 16: return SND_PCM_FORMAT_S16_LE;
    case 24: return SND_PCM_FORMAT_S24_3LE;
    case 32: return SND_PCM_FORMAT_S32_LE;
    default: return SND_PCM_FORMAT_UNKNOWN;
    }
}

std::mutex &volumeMutex()
{
    static std::mutex m;
    return m;
}

std::map<int, std::uint32_t> &volumes()
{
    static std::map<int, std::uint32_t> v;
    return v;
}

snd_pcm_t *openPcm(int number)
{
    quietAlsa();
    const std::string name = WaveDevice::deviceName(number);
    if (name.empty())
        return nullptr;
    snd_pcm_t *pcm = nullptr;
    // Non-blocking while opening, so that a device in use answers at once instead of waiting.
    if (snd_pcm_open(&pcm, name.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
        return nullptr;
    snd_pcm_nonblock(pcm, 0);
    return pcm;
}

} // namespace

unsigned WaveDevice::deviceCount()
{
    return unsigned(playbackPcms().size());
}

std::string WaveDevice::deviceName(int number)
{
    if (number < 0) {
        const char *env = std::getenv("AUDPLUG_PCM");
        return env && *env ? std::string(env) : std::string("default");
    }
    const auto names = playbackPcms();
    return std::size_t(number) < names.size() ? names[std::size_t(number)] : std::string();
}

bool WaveDevice::deviceAvailable(int number)
{
    snd_pcm_t *pcm = openPcm(number);
    if (!pcm)
        return false;
    snd_pcm_close(pcm);
    return true;
}

std::unique_ptr<WaveDevice> WaveDevice::open(int number, const PcmFormat &format,
                                             Completion completion)
{
    const snd_pcm_format_t f = alsaFormat(format.bitsPerSample);
    if (f == SND_PCM_FORMAT_UNKNOWN || format.channels == 0 || format.sampleRate == 0)
        return nullptr;
    snd_pcm_t *pcm = openPcm(number);
    if (!pcm)
        return nullptr;
    if (snd_pcm_set_params(pcm, f, SND_PCM_ACCESS_RW_INTERLEAVED, format.channels,
                           format.sampleRate, 1, kLatencyUs) < 0) {
        snd_pcm_close(pcm);
        return nullptr;
    }
    const bool paced = snd_pcm_type(pcm) == SND_PCM_TYPE_NULL;
    return std::unique_ptr<WaveDevice>(
        new WaveDevice(pcm, number, format, std::move(completion), paced));
}

WaveDevice::WaveDevice(void *pcm, int number, const PcmFormat &format, Completion completion,
                       bool paced)
    : m_pcm(pcm), m_number(number), m_format(format), m_completion(std::move(completion)),
      m_paced(paced)
{
    if (m_completion)
        m_thread = std::thread([this] { run(); });
}

WaveDevice::~WaveDevice()
{
    {
        std::lock_guard lock(m_mutex);
        m_queue.clear();
        m_quit = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    auto *pcm = static_cast<snd_pcm_t *>(m_pcm);
    snd_pcm_drop(pcm);
    snd_pcm_close(pcm);
}

bool WaveDevice::write(std::unique_ptr<WaveBlock> block)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_quit || !m_completion)
            return false;
        m_queue.push_back(std::move(block));
    }
    m_wake.notify_all();
    return true;
}

void WaveDevice::reset()
{
    std::deque<std::unique_ptr<WaveBlock>> dropped;
    {
        std::lock_guard lock(m_mutex);
        dropped.swap(m_queue);
    }
    for (auto &b : dropped)
        m_completion(std::move(b));
}

WaveDevice::CloseResult WaveDevice::close()
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_queue.empty() || m_busy)
            return CloseResult::StillPlaying;
        m_quit = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    // What is still in ALSA's buffer is heard before the device goes.
    snd_pcm_drain(static_cast<snd_pcm_t *>(m_pcm));
    return CloseResult::Closed;
}

void WaveDevice::setVolume(int number, std::uint32_t volume)
{
    std::lock_guard lock(volumeMutex());
    volumes()[number] = volume;
}

std::uint32_t WaveDevice::volume(int number)
{
    std::lock_guard lock(volumeMutex());
    const auto it = volumes().find(number);
    return it == volumes().end() ? kFullVolume : it->second;
}

void WaveDevice::run()
{
    Clock::time_point playedUntil = Clock::now();
    for (;;) {
        std::unique_ptr<WaveBlock> block;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_quit || !m_queue.empty(); });
            if (m_queue.empty())
                return; // quitting with nothing left
            block = std::move(m_queue.front());
            m_queue.pop_front();
            m_busy = true;
        }
        play(*block);
        if (m_paced && m_format.bytesPerSecond() > 0) {
            const auto length = std::chrono::microseconds(std::uint64_t(block->data.size()) *
                                                          1000000u / m_format.bytesPerSecond());
            playedUntil = std::max(playedUntil, Clock::now()) + length;
            std::this_thread::sleep_until(playedUntil);
        }
        m_completion(std::move(block));
        std::lock_guard lock(m_mutex);
        m_busy = false;
    }
}

bool WaveDevice::play(const WaveBlock &block)
{
    auto *pcm = static_cast<snd_pcm_t *>(m_pcm);
    const std::uint32_t align = m_format.blockAlign();
    if (align == 0)
        return false;
    const std::uint8_t *data = block.data.data();
    const std::uint32_t vol = volume(m_number);
    if (vol != kFullVolume && m_format.bitsPerSample == 16) {
        // Scale a copy: the block itself goes back to the host unchanged.
        m_scaled.assign(block.data.begin(), block.data.end());
        const std::uint32_t left = vol & 0xFFFF, right = vol >> 16;
        auto *s = reinterpret_cast<std::int16_t *>(m_scaled.data());
        const std::size_t count = m_scaled.size() / 2;
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint32_t v = (i % m_format.channels) == 1 ? right : left;
            s[i] = std::int16_t(std::int32_t(s[i]) * std::int32_t(v) / 65535);
        }
        data = m_scaled.data();
    }
    snd_pcm_uframes_t left = block.data.size() / align;
    while (left > 0) {
        snd_pcm_sframes_t n = snd_pcm_writei(pcm, data, left);
        if (n == -EAGAIN)
            continue;
        if (n < 0)
            n = snd_pcm_recover(pcm, int(n), 1);
        if (n < 0)
            return false; // the device failed: the rest of the block is lost
        data += std::size_t(n) * align;
        left -= snd_pcm_uframes_t(n);
    }
    return true;
}
