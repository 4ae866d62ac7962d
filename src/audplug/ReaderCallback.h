#pragma once

#include <cstdint>

// What the media reader calls back on the object it was created with. The sample and status
// callbacks come on the reader's decoder thread.
class ReaderCallback
{
public:
    virtual void addRef() = 0;
    virtual void release() = 0;
    // One block of interleaved PCM; 0, or kReaderFailure when the block could not be written.
    virtual std::int32_t onSample(const std::uint8_t *data, std::uint32_t size,
                                  std::uint64_t timeMs) = 0;
    virtual std::int32_t onStatus(std::int32_t status, std::int32_t result,
                                  std::intptr_t param) = 0;

protected:
    ~ReaderCallback() = default;
};

// Result codes of the reader's operations and callbacks (COM-style: negative is a failure).
inline constexpr std::int32_t kReaderOk = 0;
inline constexpr std::int32_t kReaderFailure = std::int32_t(0x80004005u);
inline constexpr std::int32_t kReaderNotImplemented = std::int32_t(0x80004001u);
inline constexpr std::int32_t kReaderNoMemory = std::int32_t(0x8007000Eu);

// Statuses the reader reports.
enum ReaderStatus : std::int32_t {
    rsError = 0,       // the decoder failed
    rsEndOfFile = 3,   // every sample has been delivered
    rsDecodeError = 6, // a conversion failed
    rsNoMemory = 7
};
