#include "audplug/AnsiText.h"

#include <cstdint>
#include <vector>

namespace {

// Decodes UTF-8 into code points, each with the byte offset just after it.
struct CodePoint
{
    char32_t value;
    std::size_t end;
};

std::optional<std::vector<CodePoint>> decodeUtf8(std::string_view s)
{
    std::vector<CodePoint> out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b0 = std::uint8_t(s[i]);
        int extra = 0;
        char32_t cp = 0;
        if (b0 < 0x80) {
            cp = b0;
        } else if ((b0 & 0xE0) == 0xC0) {
            extra = 1;
            cp = b0 & 0x1F;
        } else if ((b0 & 0xF0) == 0xE0) {
            extra = 2;
            cp = b0 & 0x0F;
        } else if ((b0 & 0xF8) == 0xF0) {
            extra = 3;
            cp = b0 & 0x07;
        } else {
            return std::nullopt;
        }
        if (i + std::size_t(extra) >= s.size() && extra > 0)
            return std::nullopt; // cut short
        for (int k = 1; k <= extra; ++k) {
            const auto b = std::uint8_t(s[i + std::size_t(k)]);
            if ((b & 0xC0) != 0x80)
                return std::nullopt;
            cp = (cp << 6) | (b & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return std::nullopt;
        i += std::size_t(extra) + 1;
        out.push_back({cp, i});
    }
    return out;
}

// Windows-1252's characters 0x80-0x9F; 0 where the code page has none.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<char> cp1252Byte(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return char(cp);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] != 0 && kCp1252High[i] == cp)
            return char(0x80 + i);
    return std::nullopt;
}

} // namespace

std::optional<std::string> utf8ToAnsi(std::string_view utf8, std::size_t maxBytes)
{
    const auto points = decodeUtf8(utf8);
    if (!points)
        return std::nullopt;
    std::string narrow;
    bool fits = true;
    for (const CodePoint &p : *points) {
        const auto b = cp1252Byte(p.value);
        if (!b) {
            fits = false;
            break;
        }
        narrow.push_back(*b);
    }
    if (fits) {
        if (narrow.size() > maxBytes)
            narrow.resize(maxBytes);
        return narrow;
    }
    std::size_t cut = 0;
    for (const CodePoint &p : *points) {
        if (p.end > maxBytes)
            break;
        cut = p.end;
    }
    return std::string(utf8.substr(0, cut));
}

std::optional<std::size_t> utf16Length(std::string_view utf8)
{
    const auto points = decodeUtf8(utf8);
    if (!points)
        return std::nullopt;
    std::size_t n = 0;
    for (const CodePoint &p : *points)
        n += p.value > 0xFFFF ? 2 : 1;
    return n;
}
