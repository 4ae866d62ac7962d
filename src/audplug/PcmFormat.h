#pragma once

#include <cstdint>

// The decoded sample format: interleaved PCM.
struct PcmFormat
{
    std::uint32_t channels = 2;
    std::uint32_t sampleRate = 44100;
    std::uint32_t bitsPerSample = 16;

    std::uint32_t blockAlign() const { return channels * (bitsPerSample / 8); }
    std::uint32_t bytesPerSecond() const { return channels * sampleRate * (bitsPerSample / 8); }
};

// The device plays at most 44100 Hz: a faster stream is opened at 44100 (and plays slower).
inline constexpr std::uint32_t kMaxDeviceRate = 44100;

inline PcmFormat deviceFormatFor(const PcmFormat &stream)
{
    PcmFormat f = stream;
    if (f.sampleRate > kMaxDeviceRate)
        f.sampleRate = kMaxDeviceRate;
    return f;
}

// The position after a block of `size` bytes, in unsigned 32-bit milliseconds.
inline std::uint32_t positionAfterBlock(std::uint32_t positionMs, std::uint32_t size,
                                        const PcmFormat &f)
{
    const std::uint32_t rate = f.sampleRate * f.channels * f.bitsPerSample / 8;
    if (rate == 0)
        return positionMs;
    return positionMs + std::uint32_t(std::uint64_t(size) * 1000u / rate);
}
