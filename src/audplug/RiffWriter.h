#pragma once

#include "audplug/PcmFormat.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

// Writes a PCM WAV file: a RIFF "WAVE" chunk holding an 18-byte "fmt " chunk and a "data" chunk,
// a 46-byte header in all. The two sizes are written when the file is closed.
class RiffWriter
{
public:
    static constexpr std::size_t kHeaderSize = 46;

    RiffWriter() = default;
    RiffWriter(const RiffWriter &) = delete;
    RiffWriter &operator=(const RiffWriter &) = delete;
    ~RiffWriter();

    // Creates `path` for buffered writing and writes the header; false on any failure.
    bool create(const std::string &path, const PcmFormat &format);
    bool append(const void *data, std::size_t size);
    bool flush();
    // Ends the "data" and RIFF chunks (writing their sizes) and closes the file. A failing step
    // skips the ones after it, but the file is closed in every case.
    bool close();
    bool isOpen() const { return m_file != nullptr; }
    std::uint64_t dataSize() const { return m_dataSize; }

    // The header of a file whose sample data is `dataSize` bytes long.
    static std::array<std::uint8_t, kHeaderSize> header(const PcmFormat &format,
                                                        std::uint32_t dataSize);

private:
    std::FILE *m_file = nullptr;
    std::uint64_t m_dataSize = 0;
};
