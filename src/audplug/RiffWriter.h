#pragma once

#include "audplug/PcmFormat.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

// Writes a PCM WAV file: a RIFF "WAVE" chunk holding an 18-byte "fmt " chunk and a "data" chunk,
// a 46-byte header in all. The file is written under a temporary name in the same folder; closing
// writes the two sizes and only then renames it over the target, so an interrupted write never
// leaves a WAV whose header says it is empty, nor destroys a file of that name.
class RiffWriter
{
public:
    static constexpr std::size_t kHeaderSize = 46;

    RiffWriter() = default;
    RiffWriter(const RiffWriter &) = delete;
    RiffWriter &operator=(const RiffWriter &) = delete;
    ~RiffWriter();

    // Creates a temporary file beside `path` for buffered writing and writes the header; false on
    // any failure.
    bool create(const std::string &path, const PcmFormat &format);
    bool append(const void *data, std::size_t size);
    bool flush();
    // Ends the "data" and RIFF chunks (writing their sizes), closes the file and renames it to
    // the target. A failing step skips the ones after it and removes the temporary file; the
    // file is closed in every case.
    bool close();
    bool isOpen() const { return m_file != nullptr; }
    std::uint64_t dataSize() const { return m_dataSize; }

    // The header of a file whose sample data is `dataSize` bytes long.
    static std::array<std::uint8_t, kHeaderSize> header(const PcmFormat &format,
                                                        std::uint32_t dataSize);

private:
    void discard();

    std::FILE *m_file = nullptr;
    std::string m_target;
    std::string m_temporary;
    std::uint64_t m_dataSize = 0;
};
