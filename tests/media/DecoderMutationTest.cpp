// Runs every decoder over thousands of randomly damaged copies of valid files: none may crash,
// hang or return a picture larger than the pixel cap.

#include "media/PictureLimits.h"
#include "media/SlidePicture.h"
#include "support/GifBuilder.h"
#include "support/JpegWriter.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRounds = 2500;

QByteArray mutate(const QByteArray &source, QRandomGenerator &rng)
{
    QByteArray b = source;
    const int edits = 1 + int(rng.bounded(8));
    for (int i = 0; i < edits && !b.isEmpty(); ++i) {
        const qsizetype at = qsizetype(rng.bounded(quint32(b.size())));
        switch (rng.bounded(5)) {
        case 0: b[at] = char(rng.bounded(256)); break;
        case 1: b[at] = char(b[at] ^ (1 << rng.bounded(8))); break;
        case 2: b.truncate(at); break;
        case 3: b.insert(at, char(rng.bounded(256))); break;
        default: b[at] = char(0xFF); break;
        }
    }
    return b;
}

QImage sample(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(img.rect(), Qt::darkCyan);
    p.setBrush(Qt::yellow);
    p.drawEllipse(2, 2, w - 4, h - 4);
    return img;
}

QByteArray encodeWithQt(const QImage &img, const char *format)
{
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    QImageWriter writer(&buf, format);
    writer.write(img);
    return out;
}

QByteArray sampleGif()
{
    GifBuilder gif(24, 16, {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)});
    std::vector<std::uint8_t> px(24 * 16);
    for (size_t i = 0; i < px.size(); ++i)
        px[i] = std::uint8_t((i * 7 / 5) % 4);
    gif.addGraphicControl(10);
    gif.addFrame(24, 16, px);
    gif.addComment("x");
    gif.addFrame(24, 16, px, true);
    gif.addPlainText(0, 0, 24, 16, 8, 1, 2, "ab");
    gif.addFrame(12, 8, std::vector<std::uint8_t>(96, 3));
    return gif.finish();
}

QByteArray sampleWmf()
{
    QByteArray body;
    auto w = [&](int v) { body += char(v & 0xFF), body += char((v >> 8) & 0xFF); };
    auto rec = [&](int fn, std::initializer_list<int> params) {
        const int size = 3 + int(params.size());
        w(size), w(0), w(fn);
        for (int p : params)
            w(p);
    };
    rec(0x020C, {100, 100});
    rec(0x02FC, {0, 255, 0, 0});
    rec(0x012D, {0});
    rec(0x02FA, {0, 3, 0, 0, 255});
    rec(0x012D, {1});
    rec(0x041B, {80, 80, 10, 10});
    rec(0x0418, {90, 90, 20, 20});
    rec(0x0324, {3, 0, 0, 50, 90, 90, 10});
    rec(0x0538, {2, 3, 3, 0, 0, 10, 0, 10, 10, 20, 20, 30, 20, 30, 30});
    rec(0x081A, {0, 50, 50, 100, 100, 100, 0, 0});
    rec(0x0521, {2, 0x4848, 10, 10});
    rec(0x001E, {});
    rec(0x0127, {-1});
    rec(0x0000, {});
    QByteArray h;
    auto hw = [&](int v) { h += char(v & 0xFF), h += char((v >> 8) & 0xFF); };
    hw(1), hw(9), hw(0x0300), hw(0), hw(0), hw(4), hw(0), hw(0), hw(0);
    return h + body;
}

void checkPicture(const SlidePicture &pic)
{
    if (!pic.image.isNull())
        QVERIFY(qint64(pic.image.width()) * pic.image.height() <= kMaxPicturePixels);
    for (const PictureFrame &f : pic.frames)
        QVERIFY(f.delayMs >= 55);
    if (pic.metafile) {
        QImage canvas(32, 32, QImage::Format_RGB32);
        QPainter p(&canvas);
        pic.metafile->paint(p, QRectF(0, 0, 32, 32));
    }
    if (!pic.ok())
        QVERIFY(!pic.error.isEmpty());
}

} // namespace

class DecoderMutationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void damagedFilesNeverCrash_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QByteArray>("source");
        QTest::newRow("gif") << "gif" << sampleGif();
        QTest::newRow("png") << "png" << encodeWithQt(sample(20, 14), "png");
        QTest::newRow("jpeg") << "jpg" << encodeJpeg(sample(40, 24));
        QTest::newRow("bmp") << "bmp" << encodeWithQt(sample(12, 9), "bmp");
        QTest::newRow("wmf") << "wmf" << sampleWmf();
    }
    void damagedFilesNeverCrash()
    {
        QFETCH(QString, extension);
        QFETCH(QByteArray, source);
        const SlidePicture original = DecodeSlidePicture(source, extension, QSize(10, 10));
        QVERIFY2(original.ok(), qPrintable(original.error));
        QRandomGenerator rng(0x5eed ^ quint32(qHash(extension)));
        int decoded = 0;
        for (int i = 0; i < kRounds; ++i) {
            const SlidePicture pic =
                DecodeSlidePicture(mutate(source, rng), extension, i % 2 ? QSize(10, 10) : QSize());
            checkPicture(pic);
            decoded += pic.ok();
        }
        // Report how many damaged copies still gave a picture: the run covers both paths.
        qInfo("%s: %d of %d damaged copies decoded", qPrintable(extension), decoded, kRounds);
        QVERIFY(decoded < kRounds);
    }

    // A bitmap header may claim millions of pixels over a few bytes of rows; the reader would
    // fill a huge picture with nothing. Such a file is refused at once; one that keeps half its
    // rows still opens, its missing rows filled.
    void bitmapsClaimingFarMoreThanTheyHold()
    {
        const QByteArray whole = encodeWithQt(sample(64, 64), "bmp");
        QVERIFY(DecodeSlidePicture(whole.left(whole.size() / 2 + 27), u"bmp"_s, QSize()).ok());
        auto claiming = [&whole](qint32 width, qint32 height) {
            QByteArray b = whole.left(98);
            for (int i = 0; i < 4; ++i) {
                b[18 + i] = char(width >> (8 * i) & 0xFF);
                b[22 + i] = char(height >> (8 * i) & 0xFF);
            }
            return b;
        };
        QElapsedTimer clock;
        clock.start();
        for (const auto &[w, h] :
             {std::pair{16580353, 2}, std::pair{2, 14024706}, std::pair{4000, -4000}}) {
            const SlidePicture pic = DecodeSlidePicture(claiming(w, h), u"bmp"_s, QSize());
            QVERIFY(!pic.ok());
            QCOMPARE(pic.error, u"No es pot obrir el fitxer"_s);
        }
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        // A small picture whose rows are missing altogether is no more than a few bytes short.
        QVERIFY(DecodeSlidePicture(claiming(8, 8), u"bmp"_s, QSize()).ok());
    }

    // A GIF named as an icon or a bitmap: read by content, as a still picture, and a header
    // claiming a huge logical screen over a few bytes is refused at once.
    void gifsUnderAnotherName()
    {
        GifBuilder gif(24, 16, {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)});
        gif.addGraphicControl(10);
        gif.addFrame(24, 16, std::vector<std::uint8_t>(24 * 16, 1));
        gif.addGraphicControl(10);
        gif.addFrame(24, 16, std::vector<std::uint8_t>(24 * 16, 2));
        const QByteArray bytes = gif.finish();
        for (const QString &ext : {u"ico"_s, u"bmp"_s}) {
            const SlidePicture pic = DecodeSlidePicture(bytes, ext, QSize());
            QVERIFY2(pic.ok(), qPrintable(pic.error));
            QCOMPARE(pic.naturalSize, QSize(24, 16));
            QCOMPARE(pic.image.pixel(5, 5), qRgb(255, 0, 0));
            QVERIFY(pic.frames.empty());
        }
        // A 2119 x 14406 logical screen claimed by 90 bytes.
        const QByteArray huge = QByteArray::fromHex("474946383961470846383961402c2c0000000000000000"
                                                    "00000000080000000000000000000000000000000000"
                                                    "0000000000000000000000000000000000000000000000"
                                                    "00000000000000000000000000000000000000000000");
        QElapsedTimer clock;
        clock.start();
        for (const QString &ext : {u"ico"_s, u"bmp"_s})
            QVERIFY(!DecodeSlidePicture(huge, ext, QSize()).ok());
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_MAIN(DecoderMutationTest)
#include "DecoderMutationTest.moc"
