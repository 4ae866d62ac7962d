#include "audplug/RiffWriter.h"

#include <cstring>

namespace {

constexpr std::size_t kWriteBuffer = 1 << 16;
constexpr long kRiffSizeAt = 4;
constexpr long kDataSizeAt = 42;

void put16(std::uint8_t *p, std::uint32_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

void put32(std::uint8_t *p, std::uint32_t v)
{
    put16(p, v);
    put16(p + 2, v >> 16);
}

} // namespace

RiffWriter::~RiffWriter()
{
    close();
}

std::array<std::uint8_t, RiffWriter::kHeaderSize> RiffWriter::header(const PcmFormat &f,
                                                                     std::uint32_t dataSize)
{
    std::array<std::uint8_t, kHeaderSize> h{};
    std::uint8_t *p = h.data();
    std::memcpy(p, "RIFF", 4);
    put32(p + 4, std::uint32_t(kHeaderSize - 8 + dataSize + (dataSize & 1)));
    std::memcpy(p + 8, "WAVE", 4);
    std::memcpy(p + 12, "fmt ", 4);
    put32(p + 16, 18);
    put16(p + 20, 1); // PCM
    put16(p + 22, f.channels);
    put32(p + 24, f.sampleRate);
    put32(p + 28, f.channels * f.bitsPerSample * f.sampleRate / 8);
    put16(p + 32, f.channels * f.bitsPerSample / 8);
    put16(p + 34, f.bitsPerSample);
    put16(p + 36, 0); // no extra format bytes
    std::memcpy(p + 38, "data", 4);
    put32(p + 42, dataSize);
    return h;
}

bool RiffWriter::create(const std::string &path, const PcmFormat &format)
{
    close();
    m_dataSize = 0;
    m_file = std::fopen(path.c_str(), "wb");
    if (!m_file)
        return false;
    std::setvbuf(m_file, nullptr, _IOFBF, kWriteBuffer);
    const auto h = header(format, 0);
    if (std::fwrite(h.data(), 1, h.size(), m_file) != h.size()) {
        std::fclose(m_file);
        m_file = nullptr;
        return false;
    }
    return true;
}

bool RiffWriter::append(const void *data, std::size_t size)
{
    if (!m_file)
        return false;
    if (size && std::fwrite(data, 1, size, m_file) != size)
        return false;
    m_dataSize += size;
    return true;
}

bool RiffWriter::flush()
{
    return m_file && std::fflush(m_file) == 0;
}

bool RiffWriter::close()
{
    if (!m_file)
        return false;
    // Chunk sizes are 32-bit: a longer stream keeps the largest size that fits.
    const auto dataSize = std::uint32_t(m_dataSize > 0xFFFFFFF0u ? 0xFFFFFFF0u : m_dataSize);
    bool ok = flush();
    // A chunk of odd size is followed by a pad byte.
    if (ok && (dataSize & 1))
        ok = std::fputc(0, m_file) != EOF;
    std::uint8_t size[4];
    if (ok) {
        put32(size, dataSize);
        ok = std::fseek(m_file, kDataSizeAt, SEEK_SET) == 0 && std::fwrite(size, 1, 4, m_file) == 4;
    }
    if (ok) {
        put32(size, std::uint32_t(kHeaderSize - 8 + dataSize + (dataSize & 1)));
        ok = std::fseek(m_file, kRiffSizeAt, SEEK_SET) == 0 && std::fwrite(size, 1, 4, m_file) == 4;
    }
    ok = std::fclose(m_file) == 0 && ok;
    m_file = nullptr;
    return ok;
}
