#include "audplug/MediaReader.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avstring.h>
#include <libavutil/channel_layout.h>
#include <libavutil/dict.h>
#include <libavutil/mem.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <sys/stat.h>

#include <chrono>
#include <cstring>
#include <mutex>

namespace {

// The Windows Media attribute names of the tags, with the FFmpeg metadata keys that carry them
// in ASF, ID3 and Vorbis comments (looked up in this order, case-insensitively).
struct TagName
{
    const char *attribute;
    const char *keys[3];
};
constexpr TagName kTagNames[] = {
    {"Title", {"title", nullptr, nullptr}},
    {"Author", {"artist", "author", nullptr}},
    {"WM/AlbumTitle", {"album", nullptr, nullptr}},
    {"Copyright", {"copyright", nullptr, nullptr}},
    {"Description", {"comment", "description", nullptr}},
    {"WM/Genre", {"genre", nullptr, nullptr}},
    {"WM/Year", {"date", "year", "WM/Year"}},
};

bool isMappedKey(const char *key)
{
    for (const TagName &t : kTagNames)
        for (const char *k : t.keys)
            if (k && av_strcasecmp(k, key) == 0)
                return true;
    return false;
}

// The largest single block FFmpeg may allocate. A container's header states the length of its
// parts, and a demuxer allocates what it states before reading: a 903-byte ASF file claimed a
// 1.8 GB header part. No sound this plug-in plays needs a block near this size (the largest are
// attached pictures and a decoder's frames), and a refused allocation fails the file's opening.
constexpr std::size_t kLargestAllocation = 256 * 1024 * 1024;

// Once per process: a plug-in stays quiet (damaged packets are skipped without a word on
// standard error) and bounds what a damaged header can make FFmpeg allocate.
void prepareFfmpeg()
{
    static std::once_flag once;
    std::call_once(once, [] {
        av_log_set_level(AV_LOG_QUIET);
        av_max_alloc(kLargestAllocation);
    });
}

// Opening looks at the start of the stream only. These bounds keep an input that never ends, or
// is enormous and not audio, from making opening wait or grow without end: the demuxer's probe
// and the stream analysis read at most this much, and opening as a whole gives up past a
// number of bytes or a time.
constexpr std::int64_t kProbeBytes = 5'000'000;
constexpr std::int64_t kAnalyzeUs = 5 * std::int64_t(AV_TIME_BASE);
constexpr std::int64_t kOpenReadLimit = 32 * 1024 * 1024;
constexpr auto kOpenTimeLimit = std::chrono::seconds(10);

const AVDictionaryEntry *findTag(const AVDictionary *a, const AVDictionary *b, const char *key)
{
    if (const AVDictionaryEntry *e = av_dict_get(a, key, nullptr, 0))
        return e;
    return av_dict_get(b, key, nullptr, 0);
}

} // namespace

std::int32_t MediaReader::create(const std::string &path, ReaderCallback *callback,
                                 const PluginIdentity &identity, std::unique_ptr<MediaReader> *out)
{
    prepareFfmpeg();
    // Only a regular file is read: a device or a pipe may never end (or never start).
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return kReaderFailure;
    std::unique_ptr<MediaReader> r(new MediaReader);
    r->m_format = avformat_alloc_context();
    if (!r->m_format)
        return kReaderNoMemory;
    r->m_format->probesize = kProbeBytes;
    r->m_format->format_probesize = int(kProbeBytes);
    r->m_format->max_analyze_duration = kAnalyzeUs;
    r->m_format->interrupt_callback = {&MediaReader::openInterrupted, r.get()};
    r->m_openDeadline = std::chrono::steady_clock::now() + kOpenTimeLimit;
    // The name is a file name, never a URL of another protocol ("pipe:1.mp3" is a file too), and
    // only this plug-in's containers are opened.
    AVDictionary *options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    av_dict_set(&options, "format_whitelist", identity.containers, 0);
    const std::string url = "file:" + path;
    // On failure the context is freed and the pointer cleared.
    const int opened = avformat_open_input(&r->m_format, url.c_str(), nullptr, &options);
    av_dict_free(&options);
    if (opened < 0)
        return kReaderFailure;
    if (!r->m_format->iformat || !identity.acceptsContainer(r->m_format->iformat->name))
        return kReaderFailure;
    if (avformat_find_stream_info(r->m_format, nullptr) < 0 || r->openGaveUp())
        return kReaderFailure;
    r->m_opening = false;
    const AVCodec *decoder = nullptr;
    r->m_stream = av_find_best_stream(r->m_format, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    if (r->m_stream < 0 || !decoder)
        return kReaderFailure;
    AVStream *st = r->m_format->streams[r->m_stream];
    r->m_codec = avcodec_alloc_context3(decoder);
    if (!r->m_codec || avcodec_parameters_to_context(r->m_codec, st->codecpar) < 0)
        return kReaderFailure;
    r->m_codec->pkt_timebase = st->time_base;
    if (avcodec_open2(r->m_codec, decoder, nullptr) < 0)
        return kReaderFailure;
    const int channels = r->m_codec->ch_layout.nb_channels;
    if (channels <= 0 || r->m_codec->sample_rate <= 0)
        return kReaderFailure;
    r->m_pcm.channels = std::uint32_t(channels);
    r->m_pcm.sampleRate = std::uint32_t(r->m_codec->sample_rate);
    r->m_pcm.bitsPerSample = 16;
    r->m_packet = av_packet_alloc();
    r->m_frame = av_frame_alloc();
    if (!r->m_packet || !r->m_frame)
        return kReaderFailure;
    r->m_seekable = r->m_format->pb && (r->m_format->pb->seekable & AVIO_SEEKABLE_NORMAL);

    // The attributes, read once.
    const AVDictionary *fm = r->m_format->metadata, *sm = st->metadata;
    std::int64_t durationUs = r->m_format->duration;
    if (durationUs == AV_NOPTS_VALUE && st->duration != AV_NOPTS_VALUE)
        durationUs = av_rescale_q(st->duration, st->time_base, AVRational{1, AV_TIME_BASE});
    ReaderAttribute a;
    a.name = "Duration";
    a.type = ReaderAttribute::Number;
    a.number = durationUs > 0 ? std::uint64_t(durationUs / 1000) : 0;
    r->m_attributes.push_back(a);
    a.name = "Bitrate";
    const std::int64_t bitrate =
        r->m_format->bit_rate > 0 ? r->m_format->bit_rate : st->codecpar->bit_rate;
    a.number = bitrate > 0 ? std::uint64_t(bitrate) : 0;
    r->m_attributes.push_back(a);
    a.name = "Seekable";
    a.type = ReaderAttribute::Boolean;
    a.number = r->m_seekable ? 1 : 0;
    r->m_attributes.push_back(a);
    for (const TagName &t : kTagNames) {
        for (const char *key : t.keys) {
            if (!key)
                continue;
            if (const AVDictionaryEntry *e = findTag(fm, sm, key)) {
                ReaderAttribute tag;
                tag.name = t.attribute;
                tag.type = ReaderAttribute::Text;
                tag.text = e->value ? e->value : "";
                r->m_attributes.push_back(std::move(tag));
                break;
            }
        }
    }
    for (const AVDictionary *d : {fm, sm}) {
        const AVDictionaryEntry *e = nullptr;
        while ((e = av_dict_get(d, "", e, AV_DICT_IGNORE_SUFFIX))) {
            if (isMappedKey(e->key))
                continue;
            ReaderAttribute tag;
            tag.name = e->key;
            tag.type = ReaderAttribute::Text;
            tag.text = e->value ? e->value : "";
            r->m_attributes.push_back(std::move(tag));
        }
    }

    r->m_callback = callback;
    if (callback)
        callback->addRef();
    *out = std::move(r);
    return kReaderOk;
}

bool MediaReader::openGaveUp() const
{
    if (std::chrono::steady_clock::now() > m_openDeadline)
        return true;
    return m_format && m_format->pb && avio_tell(m_format->pb) > kOpenReadLimit;
}

int MediaReader::openInterrupted(void *reader)
{
    const auto *r = static_cast<const MediaReader *>(reader);
    // Once open, reads are never cut short: a stop is asked between packets instead.
    return r->m_opening && r->openGaveUp() ? 1 : 0;
}

MediaReader::~MediaReader()
{
    stop();
    if (m_thread.joinable())
        m_thread.join();
    swr_free(&m_swr);
    av_channel_layout_uninit(&m_inLayout);
    av_frame_free(&m_frame);
    av_packet_free(&m_packet);
    avcodec_free_context(&m_codec);
    avformat_close_input(&m_format);
    if (m_callback)
        m_callback->release();
}

std::int32_t MediaReader::attributeCount(std::uint16_t *count) const
{
    *count = std::uint16_t(m_attributes.size() > 0xFFFF ? 0xFFFF : m_attributes.size());
    return kReaderOk;
}

std::int32_t MediaReader::attribute(std::uint16_t index, ReaderAttribute *out) const
{
    if (index >= m_attributes.size())
        return kReaderFailure;
    *out = m_attributes[index];
    return kReaderOk;
}

std::int32_t MediaReader::outputFormat(PcmFormat *out) const
{
    *out = m_pcm;
    return kReaderOk;
}

void MediaReader::joinIfIdle()
{
    if (m_thread.joinable() && m_decoderThread.load() != std::this_thread::get_id())
        m_thread.join();
}

std::int32_t MediaReader::start()
{
    // A thread that is ending (it reported the end of the file) is waited for first.
    stop();
    m_stop = false;
    try {
        m_thread = std::thread([this] { run(); });
    } catch (...) {
        return kReaderFailure;
    }
    return kReaderOk;
}

std::int32_t MediaReader::stop()
{
    m_stop = true;
    if (m_decoderThread.load() == std::this_thread::get_id())
        return kReaderOk; // the thread ends when the callback that asked returns
    joinIfIdle();
    return kReaderOk;
}

std::int32_t MediaReader::seek(std::uint32_t positionMs)
{
    stop();
    if (positionMs == 0 && m_atStart)
        return kReaderOk; // already there: the first packets are read as they come
    if (!m_seekable)
        return kReaderFailure;
    std::int64_t ts = std::int64_t(positionMs) * 1000;
    if (m_format->start_time != AV_NOPTS_VALUE)
        ts += m_format->start_time;
    if (av_seek_frame(m_format, -1, ts, AVSEEK_FLAG_BACKWARD) < 0)
        return kReaderFailure;
    avcodec_flush_buffers(m_codec);
    m_pending.clear();
    m_deliveredFrames = std::uint64_t(positionMs) * m_pcm.sampleRate / 1000;
    return kReaderOk;
}

void MediaReader::run()
{
    // Known by its own id: m_thread is still being assigned on the starting thread.
    m_decoderThread = std::this_thread::get_id();
    for (;;) {
        if (m_stop.load())
            break;
        const int r = av_read_frame(m_format, m_packet);
        m_atStart = false;
        if (r < 0) {
            // The end, or a read error, which ends the file the same way: what was decoded is
            // delivered, then the end is reported.
            avcodec_send_packet(m_codec, nullptr);
            if (drainFrames() && flushPending() && !m_stop.load())
                m_callback->onStatus(rsEndOfFile, kReaderOk, 0);
            break;
        }
        if (m_packet->stream_index != m_stream) {
            av_packet_unref(m_packet);
            continue;
        }
        const int sent = avcodec_send_packet(m_codec, m_packet);
        av_packet_unref(m_packet);
        if (sent == AVERROR(ENOMEM)) {
            m_callback->onStatus(rsNoMemory, kReaderNoMemory, 0);
            break;
        }
        // A damaged packet is skipped; decoding goes on with the next one.
        if (!drainFrames())
            break;
    }
}

bool MediaReader::drainFrames()
{
    for (;;) {
        const int r = avcodec_receive_frame(m_codec, m_frame);
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
            return true;
        if (r < 0)
            return true; // this packet's frame is lost; the next packets decode anew
        bool ok = true;
        if (!m_swr || m_frame->sample_rate != m_inRate || m_frame->format != m_inFormat ||
            av_channel_layout_compare(&m_frame->ch_layout, &m_inLayout) != 0) {
            // The first frame, or the stream changed its format: convert into the output format
            // the file started with.
            swr_free(&m_swr);
            AVChannelLayout outLayout{};
            if (m_codec->ch_layout.nb_channels == int(m_pcm.channels) &&
                m_codec->ch_layout.order != AV_CHANNEL_ORDER_UNSPEC)
                av_channel_layout_copy(&outLayout, &m_codec->ch_layout);
            else
                av_channel_layout_default(&outLayout, int(m_pcm.channels));
            av_channel_layout_uninit(&m_inLayout);
            av_channel_layout_copy(&m_inLayout, &m_frame->ch_layout);
            AVChannelLayout inLayout{};
            if (m_frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
                av_channel_layout_default(&inLayout, m_frame->ch_layout.nb_channels);
            else
                av_channel_layout_copy(&inLayout, &m_frame->ch_layout);
            m_inRate = m_frame->sample_rate;
            m_inFormat = m_frame->format;
            ok = swr_alloc_set_opts2(&m_swr, &outLayout, AV_SAMPLE_FMT_S16, int(m_pcm.sampleRate),
                                     &inLayout, AVSampleFormat(m_frame->format),
                                     m_frame->sample_rate, 0, nullptr) >= 0 &&
                 swr_init(m_swr) >= 0;
            av_channel_layout_uninit(&outLayout);
            av_channel_layout_uninit(&inLayout);
        }
        if (!ok) {
            av_frame_unref(m_frame);
            m_callback->onStatus(rsDecodeError, kReaderFailure, 0);
            return false;
        }
        const int outSamples = swr_get_out_samples(m_swr, m_frame->nb_samples);
        const std::size_t align = m_pcm.blockAlign();
        m_converted.resize(std::size_t(outSamples > 0 ? outSamples : 0) * align);
        std::uint8_t *dst = m_converted.data();
        const int n = swr_convert(m_swr, &dst, outSamples,
                                  const_cast<const std::uint8_t **>(m_frame->extended_data),
                                  m_frame->nb_samples);
        av_frame_unref(m_frame);
        if (n < 0) {
            m_callback->onStatus(rsDecodeError, kReaderFailure, 0);
            return false;
        }
        if (!deliver(m_converted.data(), std::size_t(n) * align))
            return false;
    }
}

bool MediaReader::deliver(const std::uint8_t *data, std::size_t size)
{
    m_pending.insert(m_pending.end(), data, data + size);
    const std::uint32_t align = m_pcm.blockAlign();
    std::uint32_t block = m_blockBytes - m_blockBytes % align;
    if (block == 0)
        block = align;
    std::size_t done = 0;
    while (m_pending.size() - done >= block) {
        const std::uint64_t timeMs = m_deliveredFrames * 1000 / m_pcm.sampleRate;
        m_callback->onSample(m_pending.data() + done, block, timeMs);
        m_deliveredFrames += block / align;
        done += block;
        if (m_stop.load()) {
            m_pending.erase(m_pending.begin(), m_pending.begin() + std::ptrdiff_t(done));
            return false;
        }
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + std::ptrdiff_t(done));
    return true;
}

bool MediaReader::flushPending()
{
    if (m_swr) {
        // Whatever the converter still holds (only when it resamples).
        const int outSamples = swr_get_out_samples(m_swr, 0);
        if (outSamples > 0) {
            m_converted.resize(std::size_t(outSamples) * m_pcm.blockAlign());
            std::uint8_t *dst = m_converted.data();
            const int n = swr_convert(m_swr, &dst, outSamples, nullptr, 0);
            if (n > 0)
                m_pending.insert(m_pending.end(), m_converted.data(),
                                 m_converted.data() + std::size_t(n) * m_pcm.blockAlign());
        }
    }
    if (m_pending.empty())
        return !m_stop.load();
    const std::uint64_t timeMs = m_deliveredFrames * 1000 / m_pcm.sampleRate;
    const auto size = std::uint32_t(m_pending.size());
    m_callback->onSample(m_pending.data(), size, timeMs);
    m_deliveredFrames += size / m_pcm.blockAlign();
    m_pending.clear();
    return !m_stop.load();
}
