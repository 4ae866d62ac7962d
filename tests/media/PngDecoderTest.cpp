#include "media/PngDecoder.h"
#include "media/SlidePicture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <png.h>
#include <zlib.h>

#include <vector>

namespace {

struct PngSpec
{
    int width = 0;
    int height = 0;
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    std::vector<png_color> palette;
    std::vector<png_byte> trns;
    bool interlaced = false;
    std::vector<png_byte> data; // packed rows, big-endian samples as stored in the file
};

void appendToBuffer(png_structp png, png_bytep data, size_t length)
{
    auto *out = static_cast<QByteArray *>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char *>(data), qsizetype(length));
}

void flushNothing(png_structp) {}

// Writes exactly the layout asked for, which Qt's own writer cannot always be made to produce.
QByteArray writePng(const PngSpec &s)
{
    QByteArray out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, appendToBuffer, flushNothing);
    png_set_IHDR(png, info, png_uint_32(s.width), png_uint_32(s.height), s.bitDepth, s.colorType,
                 s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!s.palette.empty())
        png_set_PLTE(png, info, s.palette.data(), int(s.palette.size()));
    if (!s.trns.empty())
        png_set_tRNS(png, info, s.trns.data(), int(s.trns.size()), nullptr);
    png_write_info(png, info);
    const size_t rowBytes = s.data.size() / size_t(s.height);
    const int passes = s.interlaced ? png_set_interlace_handling(png) : 1;
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < s.height; ++y)
            png_write_row(png, s.data.data() + size_t(y) * rowBytes);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

void putChunk(QByteArray &out, const char *type, const QByteArray &body)
{
    const quint32 n = quint32(body.size());
    out += char(n >> 24), out += char(n >> 16), out += char(n >> 8), out += char(n);
    QByteArray typed = QByteArray(type, 4) + body;
    out += typed;
    const quint32 crc =
        quint32(crc32(0, reinterpret_cast<const Bytef *>(typed.constData()), uInt(typed.size())));
    out += char(crc >> 24), out += char(crc >> 16), out += char(crc >> 8), out += char(crc);
}

// A PNG whose header claims the size given, with a few bytes of image data.
QByteArray headerOnlyPng(quint32 w, quint32 h)
{
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray ihdr;
    for (quint32 v : {w, h})
        ihdr += char(v >> 24), ihdr += char(v >> 16), ihdr += char(v >> 8), ihdr += char(v);
    ihdr += QByteArray("\x08\x02\x00\x00\x00", 5);
    putChunk(png, "IHDR", ihdr);
    putChunk(png, "IDAT", QByteArray("\x78\x9c\x03\x00\x00\x00\x00\x01", 8));
    putChunk(png, "IEND", {});
    return png;
}

QImage decode(const QByteArray &bytes, QRgb bg = qRgb(255, 255, 255))
{
    Fallible<QImage> r = DecodePng(bytes, QStringLiteral("x.png"), bg);
    return r.ok() ? r.value() : QImage();
}

const QString kReadError = QStringLiteral("S'ha produit un error en llegit\r\n");

} // namespace

class PngDecoderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rgbaPixelsBlendOverTheBackground()
    {
        PngSpec s{3,
                  1,
                  PNG_COLOR_TYPE_RGB_ALPHA,
                  8,
                  {},
                  {},
                  false,
                  {255, 0, 0, 255, /**/ 255, 0, 0, 0, /**/ 255, 0, 0, 128}};
        const QImage white = decode(writePng(s));
        QCOMPARE(white.format(), QImage::Format_RGB32);
        QCOMPARE(white.pixel(0, 0), qRgb(255, 0, 0));     // opaque: copied
        QCOMPARE(white.pixel(1, 0), qRgb(255, 255, 255)); // transparent: the background stays
        QCOMPARE(white.pixel(2, 0), qRgb(255, 127, 127)); // half: mixed
        const QImage black = decode(writePng(s), qRgb(0, 0, 0));
        QCOMPARE(black.pixel(2, 0), qRgb(128, 0, 0));
        QCOMPARE(black.pixel(1, 0), qRgb(0, 0, 0));
    }

    void palettesShowTheirColoursAndBlendWithTransparency()
    {
        const std::vector<png_color> pal = {{10, 20, 30}, {200, 100, 50}, {0, 0, 255}};
        // 2-bit indices 0,1,2,1 packed into one byte.
        PngSpec s{4, 1, PNG_COLOR_TYPE_PALETTE, 2, pal, {}, false, {0b00011001}};
        const QImage plain = decode(writePng(s));
        QCOMPARE(plain.pixel(0, 0), qRgb(10, 20, 30));
        QCOMPARE(plain.pixel(1, 0), qRgb(200, 100, 50));
        QCOMPARE(plain.pixel(2, 0), qRgb(0, 0, 255));
        s.trns = {255, 0}; // index 0 opaque, index 1 clear, index 2 opaque (not listed)
        const QImage clear = decode(writePng(s), qRgb(0, 255, 0));
        QCOMPARE(clear.pixel(0, 0), qRgb(10, 20, 30));
        QCOMPARE(clear.pixel(1, 0), qRgb(0, 255, 0));
        QCOMPARE(clear.pixel(2, 0), qRgb(0, 0, 255));
        s.trns = {128};
        QCOMPARE(decode(writePng(s), qRgb(0, 0, 0)).pixel(0, 0), qRgb(5, 10, 15));
    }

    void greyAndSixteenBitLayoutsDecodeInBounds()
    {
        // 1-bit grey, rows of 9 pixels: 2 bytes a row, the last byte only partly used.
        PngSpec mono{9, 2, PNG_COLOR_TYPE_GRAY, 1, {}, {}, false, {0xAA, 0x80, 0x00, 0x00}};
        QImage img = decode(writePng(mono));
        QCOMPARE(img.size(), QSize(9, 2));
        QCOMPARE(img.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(img.pixel(1, 0), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(8, 0), qRgb(255, 255, 255));
        QCOMPARE(img.pixel(8, 1), qRgb(0, 0, 0));

        PngSpec grey4{2, 1, PNG_COLOR_TYPE_GRAY, 4, {}, {}, false, {0x5F}};
        img = decode(writePng(grey4));
        QCOMPARE(img.pixel(0, 0), qRgb(85, 85, 85));
        QCOMPARE(img.pixel(1, 0), qRgb(255, 255, 255));

        PngSpec greyAlpha{1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {}, {}, false, {100, 0}};
        QCOMPARE(decode(writePng(greyAlpha), qRgb(7, 8, 9)).pixel(0, 0), qRgb(7, 8, 9));

        PngSpec rgb16{
            2,
            1,
            PNG_COLOR_TYPE_RGB,
            16,
            {},
            {},
            false,
            {0xFF, 0xFF, 0x80, 0x00, 0x00, 0x10, /**/ 0x12, 0x34, 0x00, 0x00, 0xFF, 0x00}};
        img = decode(writePng(rgb16));
        QCOMPARE(img.pixel(0, 0), qRgb(255, 128, 0));
        QCOMPARE(img.pixel(1, 0), qRgb(0x12, 0, 0xFF));

        PngSpec rgba16{1,
                       1,
                       PNG_COLOR_TYPE_RGB_ALPHA,
                       16,
                       {},
                       {},
                       false,
                       {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}};
        QCOMPARE(decode(writePng(rgba16), qRgb(255, 0, 0)).pixel(0, 0), qRgb(0, 0, 255));

        PngSpec grey16{1, 1, PNG_COLOR_TYPE_GRAY, 16, {}, {}, false, {0x40, 0xFF}};
        QCOMPARE(decode(writePng(grey16)).pixel(0, 0), qRgb(0x40, 0x40, 0x40));
    }

    void interlacedPicturesComeOutWhole()
    {
        PngSpec s{5, 7, PNG_COLOR_TYPE_RGB, 8, {}, {}, true, {}};
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 5; ++x)
                s.data.insert(s.data.end(), {png_byte(x * 40), png_byte(y * 30), 7});
        const QImage img = decode(writePng(s));
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 5; ++x)
                QCOMPARE(img.pixel(x, y), qRgb(x * 40, y * 30, 7));
    }

    void badFilesGiveTheReadMessage()
    {
        PngSpec s{
            16, 16, PNG_COLOR_TYPE_RGB, 8, {}, {}, false, std::vector<png_byte>(16 * 16 * 3, 9)};
        const QByteArray good = writePng(s);
        QVERIFY(!decode(good).isNull());
        QByteArray corrupt = good;
        corrupt[40] = char(corrupt[40] ^ 0x55);
        const QList<QByteArray> bad = {QByteArray(),  good.left(8),
                                       good.left(30), good.left(good.size() / 2),
                                       corrupt,       QByteArray("not a png at all")};
        for (const QByteArray &bytes : bad) {
            const Fallible<QImage> r = DecodePng(bytes, QStringLiteral("/f/x.png"));
            QVERIFY(!r.ok());
            QCOMPARE(r.error(), kReadError + QStringLiteral("/f/x.png"));
        }
        const Fallible<QImage> zero = DecodePng(headerOnlyPng(0, 0), QStringLiteral("z.png"));
        QVERIFY(!zero.ok());
        // A header claiming 30000 x 30000 is refused before the pixels are allocated.
        const Fallible<QImage> huge =
            DecodePng(headerOnlyPng(30000, 30000), QStringLiteral("h.png"));
        QVERIFY(!huge.ok());
        QVERIFY(huge.error().startsWith(kReadError + QStringLiteral("h.png")));
        QVERIFY(huge.error().contains(QStringLiteral("massa gran")));
    }

    void metadataChunksAreSkippedUnread()
    {
        // One red pixel after a text chunk and a colour profile that is not one.
        const auto onePixel = [](const QList<QPair<const char *, QByteArray>> &before) {
            QByteArray png("\x89PNG\r\n\x1a\n", 8);
            putChunk(png, "IHDR", QByteArray("\0\0\0\x01\0\0\0\x01\x08\x02\0\0\0", 13));
            for (const auto &[type, body] : before)
                putChunk(png, type, body);
            const Bytef raw[] = {0, 255, 0, 0};
            Bytef packed[64];
            uLongf packedSize = sizeof packed;
            compress(packed, &packedSize, raw, sizeof raw);
            putChunk(png, "IDAT",
                     QByteArray(reinterpret_cast<const char *>(packed), qsizetype(packedSize)));
            putChunk(png, "IEND", {});
            return png;
        };
        const QImage image = decode(onePixel(
            {{"tEXt", QByteArray("Title\0Mapa", 10)}, {"iCCP", QByteArray("x\0\0garbage")}}));
        QCOMPARE(image.size(), QSize(1, 1));
        QCOMPARE(image.pixel(0, 0), qRgb(255, 0, 0));
        // A text chunk whose header claims 1 GB in a file of a few bytes: the file is short.
        QByteArray claim = onePixel({}).left(33);
        claim += QByteArray("\x40\0\0\0tEXtabc", 11);
        const Fallible<QImage> r = DecodePng(claim, QStringLiteral("t.png"));
        QVERIFY(!r.ok());
        QCOMPARE(r.error(), kReadError + QStringLiteral("t.png"));
    }

    void loadingByPathNamesTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("foto.PNG"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\x89PNG\r\n\x1a\n garbage");
        f.close();
        SlidePicture pic = LoadSlidePicture(path);
        QVERIFY(!pic.ok());
        QCOMPARE(pic.error, kReadError + path);
        pic = LoadSlidePicture(dir.filePath(QStringLiteral("cap.png")));
        QCOMPARE(pic.error, QStringLiteral("No existeix 'cap.png'"));

        PngSpec s{3, 2, PNG_COLOR_TYPE_RGB, 8, {}, {}, false, std::vector<png_byte>(18, 60)};
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(writePng(s));
        f.close();
        pic = LoadSlidePicture(path);
        QVERIFY(pic.ok());
        QCOMPARE(pic.naturalSize, QSize(3, 2));
        QCOMPARE(pic.image.pixel(2, 1), qRgb(60, 60, 60));
        QCOMPARE(pngOpenErrorMessage(QStringLiteral("a.png")),
                 QStringLiteral("S'ha produit un error en obrir\r\na.png"));
    }
};

QTEST_GUILESS_MAIN(PngDecoderTest)
#include "PngDecoderTest.moc"
