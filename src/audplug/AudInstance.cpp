#include "audplug/AudInstance.h"

#include "audplug/AnsiText.h"

#include <cstring>
#include <string_view>

namespace {

constexpr std::size_t kMaxNameChars = 1023;

// The tag block field of a text attribute; nullptr for the names not kept.
char *tagField(TagBlock &t, std::string_view name)
{
    if (name == "Title")
        return t.title;
    if (name == "Author")
        return t.author;
    if (name == "WM/AlbumTitle")
        return t.album;
    if (name == "Copyright")
        return t.copyright;
    if (name == "Description")
        return t.description;
    if (name == "WM/Genre")
        return t.genre;
    if (name == "WM/Year")
        return t.year;
    return nullptr;
}

} // namespace

AudInstance::AudInstance(const PluginIdentity &identity, ModuleState &module)
    : m_identity(identity), m(module), m_output(module)
{}

bool AudInstance::fail(ApInt code)
{
    m.lastError = code;
    return false;
}

bool AudInstance::inStates(ApInt low, ApInt high) const
{
    const ApInt s = m_state.load();
    return s >= low && s <= high;
}

bool AudInstance::readerStopping() const
{
    return m_stopping.load() || (m_reader && m_reader->stopRequested());
}

ApInt AudInstance::takePlayerMode()
{
    ApInt s = apFinished;
    if (m_state.compare_exchange_strong(s, apOpened))
        return apFinished;
    return s;
}

void AudInstance::addRef()
{
    ++m_refCount;
}

void AudInstance::release()
{
    if (--m_refCount == 0)
        delete this;
}

bool AudInstance::open()
{
    if (m_state.load() != apClosed)
        return fail(apeWrongState);
    m_tags = TagBlock{};
    if (!m.hasInputName)
        return fail(apeInput);
    m_paused = false;
    m.position = 0;
    const auto length = utf16Length(m.inputName);
    if (!length || *length > kMaxNameChars)
        return fail(apeInternal);
    std::unique_ptr<MediaReader> reader;
    m_lastReaderResult = MediaReader::create(m.inputName, this, m_identity, &reader);
    if (m_lastReaderResult < 0 || !reader)
        return fail(apeInput);
    m_reader = std::move(reader);
    m_state = apOpened;
    return true;
}

bool AudInstance::initStream()
{
    if (m_state.load() != apOpened)
        return fail(apeWrongState);
    std::uint16_t count = 0;
    if ((m_lastReaderResult = m_reader->attributeCount(&count)) < 0)
        return fail(apeInput);
    for (std::uint16_t i = 0; i < count; ++i) {
        ReaderAttribute a;
        m_lastReaderResult = m_reader->attribute(i, &a);
        if (m_lastReaderResult == kReaderNotImplemented)
            continue;
        if (m_lastReaderResult < 0)
            return fail(apeInput);
        switch (a.type) {
        case ReaderAttribute::Number:
            if (a.name == "Duration")
                m.duration = ApUInt(a.number > 0xFFFFFFFFu ? 0xFFFFFFFFu : a.number);
            else if (a.name == "Bitrate")
                m.bitrate = ApUInt(a.number > 0xFFFFFFFFu ? 0xFFFFFFFFu : a.number);
            break;
        case ReaderAttribute::Text:
            if (char *field = tagField(m_tags, a.name)) {
                // A text that does not convert is left out.
                if (const auto text = utf8ToAnsi(a.text, TagBlock::kFieldSize - 1)) {
                    std::memset(field, 0, TagBlock::kFieldSize);
                    std::memcpy(field, text->data(), text->size());
                }
            }
            break;
        case ReaderAttribute::Boolean:
            if (a.name == "Seekable")
                m.seekable = a.number != 0;
            break;
        default: break;
        }
    }
    m.position = 0;
    PcmFormat f;
    if ((m_lastReaderResult = m_reader->outputFormat(&f)) < 0)
        return fail(apeInput);
    m.format = f;
    m_state = apReady;
    return true;
}

bool AudInstance::play()
{
    if (m_state.load() != apReady)
        return fail(apeWrongState);
    if (m.outputMode == apOutCallback && (!m.outputCallback || !m.outputActionCallback))
        return fail(apeNoCallback);
    if (!m_output.open(m.format))
        return fail(apeOutput);
    if (m.endLimit.load() == 0)
        m.setLimits(m.startLimit.load(), 0, m_state.load());
    m_reader->setBlockSize(std::uint32_t(m.blockRequest > 0 ? m.blockRequest : 16384));
    const ApUInt start = m.startLimit.load();
    if ((m_lastReaderResult = m_reader->seek(start)) >= 0) {
        m.position = start;
    } else {
        if ((m_lastReaderResult = m_reader->seek(0)) < 0) {
            m_output.close();
            return fail(apeInput);
        }
        m.position = 0;
    }
    m_state = apPlaying;
    if ((m_lastReaderResult = m_reader->start()) < 0) {
        m_state = apReady;
        m_output.close();
        return fail(apeInput);
    }
    return true;
}

bool AudInstance::pause()
{
    // The decoder thread may end the stream meanwhile: only a playing or paused state changes.
    ApInt s = m_state.load();
    while (s == apPlaying || s == apPaused) {
        m_paused = true;
        if (m_state.compare_exchange_weak(s, apPaused))
            return true;
    }
    return fail(apeWrongState);
}

bool AudInstance::resume()
{
    ApInt s = m_state.load();
    while (s == apPlaying || s == apPaused) {
        m_paused = false;
        if (m_state.compare_exchange_weak(s, apPlaying))
            return true;
    }
    return fail(apeWrongState);
}

void AudInstance::releaseReader()
{
    // Stopped first, so that a decoder thread finishing a callback never sees the reader gone.
    if (m_reader)
        m_reader->stop();
    m_reader.reset();
}

bool AudInstance::stop()
{
    const ApInt s = m_state.load();
    if (s == apFinished) {
        m_state = apOpened;
        return true;
    }
    if (s != apPlaying && s != apPaused)
        return fail(apeWrongState);
    // The stopping flag releases a decoder thread held by the pause.
    m_stopping = true;
    m_reader->stop();
    m_output.close();
    m_stopping = false;
    m_state = apOpened;
    return true;
}

bool AudInstance::close()
{
    const ApInt s = m_state.load();
    if (s == apPlaying || s == apPaused)
        stop();
    releaseReader();
    m_output.close();
    m_state = apClosed;
    return true;
}

bool AudInstance::setPosition(ApUInt position)
{
    if (!inStates(apPlaying, apPaused))
        return fail(apeWrongState);
    // Blocks delivered while the device drains are dropped.
    m.seeking = true;
    if (m_output.kind() == apOutDevice)
        m_output.waitDrained();
    m.seeking = false;
    m_reader->stop();
    const std::int32_t r = m_reader->seek(position);
    m_lastReaderResult = r;
    if (r >= 0)
        m.position = position;
    m_reader->start();
    return true;
}

ApInt AudInstance::size()
{
    if (!inStates(apReady, apPaused)) {
        fail(apeWrongState);
        return -1;
    }
    return ApInt(m.duration);
}

ApInt AudInstance::position()
{
    const ApInt s = m_state.load();
    if (s == apFinished)
        return ApInt(m.duration);
    if (s == apPlaying || s == apPaused)
        return ApInt(m.position.load());
    fail(apeWrongState);
    return -1;
}

bool AudInstance::canSetPosition()
{
    if (!inStates(apOpened, apPaused))
        return fail(apeWrongState);
    return m.seekable;
}

bool AudInstance::info(StreamInfo *out, ApInt *size)
{
    if (!out || !size || *size < ApInt(sizeof(StreamInfo))) {
        if (size)
            *size = ApInt(sizeof(StreamInfo));
        m.lastError = apeNone;
        return false;
    }
    *size = ApInt(sizeof(StreamInfo));
    if (m_state.load() < apReady)
        return fail(apeWrongState);
    out->channels = m.format.channels;
    out->bitrate = m.bitrate;
    out->sampleRate = m.format.sampleRate;
    out->bitsPerSample = m.format.bitsPerSample;
    return true;
}

bool AudInstance::setVolume(ApUInt volume)
{
    if (!m_output.setVolume(volume)) {
        if (m.outputMode == apOutDevice)
            m.lastError = apeOutput;
        return false;
    }
    return true;
}

bool AudInstance::getVolume(ApUInt *volume)
{
    return m_output.getVolume(volume);
}

bool AudInstance::canSetVolume(ApBool *separate)
{
    return m_output.canSetVolume(separate);
}

void AudInstance::deInit()
{
    if (m_state.load() != apClosed)
        close();
    releaseReader();
    release();
}

std::int32_t AudInstance::onSample(const std::uint8_t *data, std::uint32_t size, std::uint64_t)
{
    m.bufferSize = ApInt(size);
    const ApUInt position = positionAfterBlock(m.position.load(), size, m.format);
    m.position = position;
    while (m_paused.load() && !readerStopping())
        sleepMs(kWaitStepMs);
    if (readerStopping())
        return kReaderOk; // stopping: the rest is dropped
    if (position > m.endLimit.load()) {
        // Past the end limit: this block is not played and the track ends here.
        m_reader->stop();
        m_output.waitDrained();
        m_output.close();
        m_state = apFinished;
        return kReaderOk;
    }
    if (m.seeking.load()) {
        // Skipped while a seek waits for the device to drain; the decoder is held meanwhile,
        // so that it does not run on to the end of the file.
        while (m.seeking.load() && !readerStopping())
            sleepMs(kWaitStepMs);
        return kReaderOk;
    }
    if (!m_output.write(data, size, [this] { return readerStopping(); })) {
        m.lastError = apeOutput;
        return kReaderFailure;
    }
    return kReaderOk;
}

std::int32_t AudInstance::onStatus(std::int32_t status, std::int32_t, std::intptr_t)
{
    switch (status) {
    case rsEndOfFile:
        m_output.waitDrained();
        m_reader->stop();
        m_output.close();
        m_state = apFinished;
        break;
    case rsError:
    case rsDecodeError:
    case rsNoMemory:
        m.lastError = apeInternal;
        m_reader->stop();
        m_output.waitDrained();
        m_output.close();
        m_state = apOpened;
        break;
    default: break;
    }
    return kReaderOk;
}
