#include "support/GifBuilder.h"

#include <unordered_map>

namespace {

void putWord(QByteArray &out, int v)
{
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

class BitWriter
{
public:
    void put(int code, int width)
    {
        m_buffer |= std::uint32_t(code) << m_count;
        m_count += width;
        while (m_count >= 8) {
            m_out += char(m_buffer & 0xFF);
            m_buffer >>= 8;
            m_count -= 8;
        }
    }
    QByteArray finish()
    {
        if (m_count > 0)
            m_out += char(m_buffer & 0xFF);
        return m_out;
    }

private:
    QByteArray m_out;
    std::uint32_t m_buffer = 0;
    int m_count = 0;
};

} // namespace

GifBuilder::GifBuilder(int screenWidth, int screenHeight, const QList<QRgb> &palette)
{
    m_bytes = "GIF89a";
    putWord(m_bytes, screenWidth);
    putWord(m_bytes, screenHeight);
    int bits = 0;
    const QByteArray table = colorTable(palette, &bits);
    m_globalColours = palette.size();
    m_bytes += char(palette.isEmpty() ? 0 : (0x80 | 0x70 | (bits - 1)));
    m_bytes += char(0); // background
    m_bytes += char(0); // aspect
    m_bytes += table;
}

QByteArray GifBuilder::colorTable(const QList<QRgb> &palette, int *sizeBits)
{
    int bits = 1;
    while ((1 << bits) < palette.size())
        ++bits;
    *sizeBits = bits;
    if (palette.isEmpty())
        return {};
    QByteArray out;
    for (int i = 0; i < (1 << bits); ++i) {
        const QRgb c = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
        out += char(qRed(c));
        out += char(qGreen(c));
        out += char(qBlue(c));
    }
    return out;
}

int GifBuilder::minCodeSizeFor(int colours)
{
    int bits = 2;
    while ((1 << bits) < colours)
        ++bits;
    return bits;
}

void GifBuilder::addGraphicControl(int delay, int transparentIndex, int disposal)
{
    m_bytes += "\x21\xF9\x04";
    m_bytes += char(((disposal & 0x07) << 2) | (transparentIndex >= 0 ? 1 : 0));
    putWord(m_bytes, delay);
    m_bytes += char(transparentIndex >= 0 ? transparentIndex : 0);
    m_bytes += char(0);
}

void GifBuilder::addComment(const QByteArray &text)
{
    m_bytes += "\x21\xFE";
    m_bytes += subBlocks(text);
}

void GifBuilder::addApplication(const QByteArray &identifier, const QByteArray &data)
{
    m_bytes += "\x21\xFF";
    m_bytes += char(identifier.size());
    m_bytes += identifier;
    m_bytes += subBlocks(data);
}

void GifBuilder::addUnknownExtension(std::uint8_t label, const QByteArray &data)
{
    m_bytes += char(0x21);
    m_bytes += char(label);
    m_bytes += subBlocks(data);
}

void GifBuilder::addPlainText(int left, int top, int width, int height, int cellHeight, int fg,
                              int bg, const QByteArray &text)
{
    m_bytes += "\x21\x01\x0C";
    putWord(m_bytes, left);
    putWord(m_bytes, top);
    putWord(m_bytes, width);
    putWord(m_bytes, height);
    m_bytes += char(cellHeight / 2);
    m_bytes += char(cellHeight);
    m_bytes += char(fg);
    m_bytes += char(bg);
    m_bytes += subBlocks(text);
}

void GifBuilder::addFrame(int width, int height, const std::vector<std::uint8_t> &indices,
                          bool interlaced, const QList<QRgb> &localPalette, int left, int top)
{
    m_bytes += char(0x2C);
    putWord(m_bytes, left);
    putWord(m_bytes, top);
    putWord(m_bytes, width);
    putWord(m_bytes, height);
    int bits = 0;
    const QByteArray table = colorTable(localPalette, &bits);
    m_bytes += char((localPalette.isEmpty() ? 0 : (0x80 | (bits - 1))) | (interlaced ? 0x40 : 0));
    m_bytes += table;

    std::vector<std::uint8_t> ordered;
    if (interlaced) {
        static const int start[4] = {0, 4, 2, 1};
        static const int step[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = start[pass]; y < height; y += step[pass])
                ordered.insert(ordered.end(), indices.begin() + qsizetype(y) * width,
                               indices.begin() + qsizetype(y + 1) * width);
    } else {
        ordered = indices;
    }
    const int colours = localPalette.isEmpty() ? m_globalColours : localPalette.size();
    const int codeSize = minCodeSizeFor(qMax(colours, 2));
    m_bytes += char(codeSize);
    m_bytes += subBlocks(lzwEncode(ordered, codeSize));
}

void GifBuilder::addRawFrame(int width, int height, int minCodeSize, const QByteArray &codes)
{
    m_bytes += char(0x2C);
    putWord(m_bytes, 0);
    putWord(m_bytes, 0);
    putWord(m_bytes, width);
    putWord(m_bytes, height);
    m_bytes += char(0);
    m_bytes += char(minCodeSize);
    m_bytes += subBlocks(codes);
}

QByteArray GifBuilder::finish(bool withTrailer) const
{
    QByteArray out = m_bytes;
    if (withTrailer)
        out += char(0x3B);
    return out;
}

QByteArray GifBuilder::subBlocks(const QByteArray &data)
{
    QByteArray out;
    for (qsizetype i = 0; i < data.size(); i += 255) {
        const qsizetype n = qMin<qsizetype>(255, data.size() - i);
        out += char(n);
        out += data.mid(i, n);
    }
    out += char(0);
    return out;
}

QByteArray GifBuilder::lzwEncode(const std::vector<std::uint8_t> &indices, int minCodeSize,
                                 bool clearWhenFull)
{
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    BitWriter bits;
    int width = minCodeSize + 1;
    int next = clear + 2;
    std::unordered_map<std::uint32_t, int> table;
    auto reset = [&]() {
        table.clear();
        width = minCodeSize + 1;
        next = clear + 2;
    };
    // After each emitted code the decoder adds one entry; the width follows the entries.
    auto added = [&]() {
        if (next < 4096) {
            ++next;
            if (next > (1 << width) && width < 12)
                ++width;
        }
    };
    bits.put(clear, width);
    if (indices.empty()) {
        bits.put(end, width);
        return bits.finish();
    }
    int current = indices[0];
    for (size_t i = 1; i < indices.size(); ++i) {
        const int c = indices[i];
        const std::uint32_t key = std::uint32_t(current) << 8 | std::uint32_t(c);
        const auto found = table.find(key);
        if (found != table.end()) {
            current = found->second;
            continue;
        }
        bits.put(current, width);
        if (next < 4096) {
            table.emplace(key, next);
            added();
        } else if (clearWhenFull) {
            bits.put(clear, width);
            reset();
        }
        current = c;
    }
    bits.put(current, width);
    added();
    bits.put(end, width);
    return bits.finish();
}
