#include "files/TextCodec.h"

#include <array>

namespace {

// Windows-1252 bytes 0x80..0x9F. The five undefined bytes map to the C1 control of the same value,
// so any byte sequence decodes and re-encodes unchanged.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int windows1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (kHighTable[i] == c)
            return 0x80 + i;
    return -1;
}

bool isValidUtf8(const QByteArray &bytes, bool *hasNonAscii)
{
    *hasNonAscii = false;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        *hasNonAscii = true;
        int extra;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= n || (p[i + k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

} // namespace

DecodedText decode8BitText(const QByteArray &bytes)
{
    bool nonAscii = false;
    if (isValidUtf8(bytes, &nonAscii) && nonAscii)
        return {QString::fromUtf8(bytes), TextEncoding::Utf8};
    return {decodeWindows1252(bytes), TextEncoding::Windows1252};
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString out;
    appendWindows1252(out, bytes);
    return out;
}

void appendWindows1252(QString &out, QByteArrayView bytes)
{
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    QChar *dst = out.data() + start;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        dst[i] = QChar(b >= 0x80 && b < 0xA0 ? kHighTable[b - 0x80] : char16_t(b));
    }
}

bool fitsWindows1252(const QString &text)
{
    for (QChar c : text)
        if (windows1252Byte(c.unicode()) < 0)
            return false;
    return true;
}

TextEncoding encodingForNewText(const QString &text)
{
    return fitsWindows1252(text) ? TextEncoding::Windows1252 : TextEncoding::Utf8;
}

QByteArray encode8BitText(const QString &text, TextEncoding preferred, TextEncoding *used)
{
    if (preferred == TextEncoding::Windows1252) {
        QByteArray out;
        out.resize(text.size());
        bool ok = true;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const int b = windows1252Byte(text[i].unicode());
            if (b < 0) {
                ok = false;
                break;
            }
            out[i] = char(b);
        }
        // Windows-1252 bytes that are also valid UTF-8 with non-ASCII in them ("Ã©") would read
        // back as UTF-8, other characters than were written; UTF-8 reads back as it was.
        bool nonAscii = false;
        if (ok && !(isValidUtf8(out, &nonAscii) && nonAscii)) {
            if (used)
                *used = TextEncoding::Windows1252;
            return out;
        }
    }
    if (used)
        *used = TextEncoding::Utf8;
    // Reading drops a byte order mark at the start, so a text that begins with U+FEFF gets one
    // more in front to keep its own.
    if (text.startsWith(QChar(0xFEFF)))
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    return text.toUtf8();
}

QStringList splitTextLines(const QString &text)
{
    QStringList lines;
    const qsizetype n = text.size();
    const QChar *d = text.constData();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = d[i].unicode();
        if (c == u'\r' || c == u'\n') {
            lines.append(QString(d + start, i - start));
            if (c == u'\r' && i + 1 < n && d[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(QString(d + start, n - start));
    return lines;
}

QString joinTextLines(const QStringList &lines)
{
    QString out;
    qsizetype total = 0;
    for (const QString &l : lines)
        total += l.size() + 2;
    out.reserve(total);
    for (const QString &l : lines) {
        out += l;
        out += QLatin1String("\r\n");
    }
    return out;
}
