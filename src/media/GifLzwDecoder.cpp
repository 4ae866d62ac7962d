#include "media/GifLzwDecoder.h"

#include <array>

namespace {

constexpr int kMaxCodes = 4096;

QString invalidStream()
{
    return QStringLiteral("Format de l'stream és invàlid");
}

} // namespace

QString decodeGifLzw(int minCodeSize, const std::uint8_t *data, qsizetype size,
                     std::uint8_t *pixels, qsizetype pixelCount)
{
    if (minCodeSize < 2 || minCodeSize > 9)
        return QStringLiteral("La mida del codi LZW és invàlid: %1").arg(minCodeSize);

    // Each code is a prefix code plus one final index; its length lets a string be written
    // backwards straight into the output.
    std::array<std::uint16_t, kMaxCodes> prefix{};
    std::array<std::uint8_t, kMaxCodes> suffix{};
    std::array<std::uint8_t, kMaxCodes> first{};
    std::array<std::uint16_t, kMaxCodes> length{};
    std::array<std::uint8_t, kMaxCodes> spill{};

    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    for (int i = 0; i < clearCode; ++i) {
        suffix[i] = std::uint8_t(i);
        first[i] = std::uint8_t(i);
        length[i] = 1;
    }

    int codeSize = minCodeSize + 1;
    int codeMask = (1 << codeSize) - 1;
    int nextCode = clearCode + 2;
    int previous = -1;
    bool afterClear = false;

    std::uint32_t bitBuffer = 0;
    int bitCount = 0;
    qsizetype in = 0;
    qsizetype out = 0;

    for (;;) {
        while (bitCount < codeSize) {
            if (in >= size)
                return {}; // the data ends without an end code: keep what was decoded
            bitBuffer |= std::uint32_t(data[in++]) << bitCount;
            bitCount += 8;
        }
        const int code = int(bitBuffer & std::uint32_t(codeMask));
        bitBuffer >>= codeSize;
        bitCount -= codeSize;

        if (code == clearCode) {
            codeSize = minCodeSize + 1;
            codeMask = (1 << codeSize) - 1;
            nextCode = clearCode + 2;
            previous = -1;
            afterClear = true;
            continue;
        }
        if (code == endCode) {
            if (afterClear)
                return invalidStream();
            return {};
        }
        afterClear = false;

        int emitted; // the code whose string is written
        if (previous < 0) {
            if (code >= clearCode)
                return invalidStream();
            emitted = code;
        } else {
            if (nextCode >= kMaxCodes)
                return QStringLiteral(
                    "S'ha produït un desbordament (overflow) de la mida del codi");
            if (code < nextCode) {
                emitted = code;
            } else if (code == nextCode) {
                emitted = -1; // previous string + its own first index
            } else {
                return invalidStream();
            }
            prefix[nextCode] = std::uint16_t(previous);
            suffix[nextCode] = emitted >= 0 ? first[emitted] : first[previous];
            first[nextCode] = first[previous];
            length[nextCode] = std::uint16_t(length[previous] + 1);
            if (emitted < 0)
                emitted = nextCode;
            ++nextCode;
            if (nextCode == codeMask + 1 && codeSize < 12) {
                ++codeSize;
                codeMask = (1 << codeSize) - 1;
            }
        }

        const int len = length[emitted];
        if (out + len <= pixelCount) {
            int c = emitted;
            std::uint8_t *p = pixels + out + len - 1;
            for (int i = 0; i < len; ++i) {
                *p-- = suffix[c];
                c = prefix[c];
            }
            out += len;
        } else if (out < pixelCount) {
            int c = emitted;
            for (int i = len - 1; i >= 0; --i) {
                spill[i] = suffix[c];
                c = prefix[c];
            }
            for (int i = 0; out < pixelCount; ++i)
                pixels[out++] = spill[i];
        }
        previous = emitted;
    }
}
