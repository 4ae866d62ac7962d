#pragma once

#include <QByteArray>
#include <QList>
#include <QRgb>

#include <cstdint>
#include <vector>

// Writes GIF files for tests and benchmarks, block by block, so that well-formed and deliberately
// broken files can be made alike.
class GifBuilder
{
public:
    // `palette` becomes the global colour table (padded to a power of two); empty: none.
    GifBuilder(int screenWidth, int screenHeight, const QList<QRgb> &palette);

    // `disposal` is the method (0-7) written into the block's packed byte.
    void addGraphicControl(int delay, int transparentIndex = -1, int disposal = 0);
    // The logical screen's background colour index (0 unless set).
    void setBackgroundIndex(int index) { m_bytes[11] = char(index); }
    void addComment(const QByteArray &text);
    void addApplication(const QByteArray &identifier, const QByteArray &data);
    void addUnknownExtension(std::uint8_t label, const QByteArray &data);
    void addPlainText(int left, int top, int width, int height, int cellHeight, int fg, int bg,
                      const QByteArray &text);
    // `indices` holds width × height palette indices in row order; interlaced frames are written
    // in the four-pass row order.
    void addFrame(int width, int height, const std::vector<std::uint8_t> &indices,
                  bool interlaced = false, const QList<QRgb> &localPalette = {}, int left = 0,
                  int top = 0);
    // A frame whose raster data is given as is (code size byte + raw LZW codes, put in blocks).
    void addRawFrame(int width, int height, int minCodeSize, const QByteArray &codes);
    void addRaw(const QByteArray &bytes) { m_bytes += bytes; }
    QByteArray finish(bool withTrailer = true) const;

    // LZW code stream (before splitting into sub-blocks). With `clearWhenFull` off the table is
    // left full without the clear code a decoder needs.
    static QByteArray lzwEncode(const std::vector<std::uint8_t> &indices, int minCodeSize,
                                bool clearWhenFull = true);
    static QByteArray subBlocks(const QByteArray &data);
    static QByteArray colorTable(const QList<QRgb> &palette, int *sizeBits);
    static int minCodeSizeFor(int colours);

private:
    QByteArray m_bytes;
    int m_globalColours;
};
