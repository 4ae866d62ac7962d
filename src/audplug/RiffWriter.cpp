#include "audplug/RiffWriter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <vector>

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

// The process's file-creation mask, read without changing it (umask() would, for a moment, for
// every thread of the host).
mode_t currentUmask()
{
    if (std::FILE *f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        unsigned mask = 0;
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "Umask: %o", &mask) == 1) {
                std::fclose(f);
                return mode_t(mask);
            }
        std::fclose(f);
    }
    return 022;
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
    // "out.wav.XXXXXX" beside the target: the rename stays on one file system.
    const std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return false;
    // mkstemp makes the file private: the WAV keeps the permissions of the file it replaces, or
    // gets those of any new file.
    struct stat existing
    {
    };
    ::fchmod(fd, ::stat(path.c_str(), &existing) == 0 ? existing.st_mode & 07777
                                                      : 0666 & ~currentUmask());
    m_temporary = name.data();
    m_target = path;
    m_file = ::fdopen(fd, "wb");
    if (!m_file) {
        ::close(fd);
        discard();
        return false;
    }
    std::setvbuf(m_file, nullptr, _IOFBF, kWriteBuffer);
    const auto h = header(format, 0);
    if (std::fwrite(h.data(), 1, h.size(), m_file) != h.size()) {
        std::fclose(m_file);
        m_file = nullptr;
        discard();
        return false;
    }
    return true;
}

void RiffWriter::discard()
{
    if (!m_temporary.empty())
        std::remove(m_temporary.c_str());
    m_temporary.clear();
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
    if (ok)
        ok = std::rename(m_temporary.c_str(), m_target.c_str()) == 0;
    if (!ok)
        discard();
    m_temporary.clear();
    return ok;
}
