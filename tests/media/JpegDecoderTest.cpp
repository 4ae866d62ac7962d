#include "media/JpegDecoder.h"
#include "media/SlidePicture.h"
#include "support/JpegWriter.h"

#include <QPainter>
#include <QTest>

namespace {

// Four flat quadrants: red, green, blue, white.
QImage quadrants(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(0, 0, w / 2, h / 2, Qt::red);
    p.fillRect(w / 2, 0, w - w / 2, h / 2, Qt::green);
    p.fillRect(0, h / 2, w / 2, h - h / 2, Qt::blue);
    p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, Qt::white);
    return img;
}

bool near(QRgb a, QRgb b, int tolerance = 12)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance &&
           qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

class JpegDecoderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scaleIsTheSmallestThatCoversTheTarget_data()
    {
        QTest::addColumn<QSize>("full");
        QTest::addColumn<QSize>("target");
        QTest::addColumn<int>("scale");
        QTest::newRow("screen") << QSize(6000, 4000) << QSize(1280, 800) << 2;
        QTest::newRow("tiny target") << QSize(800, 600) << QSize(100, 75) << 1;
        QTest::newRow("exact eighth") << QSize(800, 800) << QSize(200, 200) << 2;
        QTest::newRow("one more pixel") << QSize(800, 800) << QSize(201, 200) << 3;
        QTest::newRow("height decides") << QSize(1000, 100) << QSize(10, 90) << 8;
        QTest::newRow("rounded up") << QSize(9, 9) << QSize(2, 2) << 1;
        QTest::newRow("larger than picture") << QSize(640, 480) << QSize(1920, 1080) << 8;
        QTest::newRow("no target") << QSize(6000, 4000) << QSize() << 8;
        QTest::newRow("empty target") << QSize(6000, 4000) << QSize(0, 0) << 8;
    }
    void scaleIsTheSmallestThatCoversTheTarget()
    {
        QFETCH(QSize, full);
        QFETCH(QSize, target);
        QFETCH(int, scale);
        QCOMPARE(jpegScaleFor(full, target), scale);
    }

    void decodesColoursAtFullAndReducedScale()
    {
        const QByteArray jpeg = encodeJpeg(quadrants(320, 240));
        Fallible<JpegDecodeResult> full = decodeJpeg(jpeg);
        QVERIFY(full.ok());
        QCOMPARE(full.value().image.size(), QSize(320, 240));
        QCOMPARE(full.value().scaleNum, 8);
        const QImage &img = full.value().image;
        QVERIFY(near(img.pixel(40, 40), qRgb(255, 0, 0)));
        QVERIFY(near(img.pixel(280, 40), qRgb(0, 255, 0)));
        QVERIFY(near(img.pixel(40, 200), qRgb(0, 0, 255)));
        QVERIFY(near(img.pixel(280, 200), qRgb(255, 255, 255)));

        Fallible<JpegDecodeResult> small = decodeJpeg(jpeg, QSize(100, 70));
        QVERIFY(small.ok());
        QCOMPARE(small.value().scaleNum, 3);
        QCOMPARE(small.value().image.size(), QSize(120, 90));
        QCOMPARE(small.value().naturalSize, QSize(320, 240));
        QVERIFY(near(small.value().image.pixel(100, 80), qRgb(255, 255, 255)));

        // Through the slide picture entry point the natural size stays the full one.
        const SlidePicture pic = DecodeSlidePicture(jpeg, QStringLiteral("JPG"), QSize(40, 30));
        QCOMPARE(pic.image.size(), QSize(40, 30));
        QCOMPARE(pic.naturalSize, QSize(320, 240));
    }

    void greyAndCmykPicturesBecomeRgb()
    {
        Fallible<JpegDecodeResult> grey =
            decodeJpeg(encodeJpeg(quadrants(64, 64), 95, JpegKind::Grey));
        QVERIFY(grey.ok());
        const QRgb g = grey.value().image.pixel(50, 50);
        QVERIFY(near(g, qRgb(255, 255, 255)));
        QCOMPARE(qRed(grey.value().image.pixel(10, 10)), qGreen(grey.value().image.pixel(10, 10)));

        Fallible<JpegDecodeResult> cmyk =
            decodeJpeg(encodeJpeg(quadrants(64, 64), 95, JpegKind::Cmyk));
        QVERIFY(cmyk.ok());
        QVERIFY(near(cmyk.value().image.pixel(10, 10), qRgb(255, 0, 0), 20));
        QVERIFY(near(cmyk.value().image.pixel(10, 50), qRgb(0, 0, 255), 20));
    }

    void brokenFilesNeverEndTheProgram()
    {
        const QByteArray jpeg = encodeJpeg(quadrants(64, 48));
        for (const QByteArray &bytes : {QByteArray(), QByteArray("\xFF\xD8", 2), jpeg.left(20),
                                        QByteArray("GIF89a not a jpeg")}) {
            const Fallible<JpegDecodeResult> r = decodeJpeg(bytes);
            QVERIFY(!r.ok());
            QVERIFY(!r.error().isEmpty());
        }
        // Cut in the middle of the data: what was read is kept, the rest filled in.
        const qsizetype scan = jpeg.indexOf("\xFF\xDA");
        QVERIFY(scan > 0);
        const Fallible<JpegDecodeResult> cut =
            decodeJpeg(jpeg.left(scan + (jpeg.size() - scan) / 2));
        QVERIFY(cut.ok());
        QCOMPARE(cut.value().image.size(), QSize(64, 48));
        QVERIFY(near(cut.value().image.pixel(5, 5), qRgb(255, 0, 0)));
    }

    void hugeHeadersAreRefusedAtFullSize()
    {
        QByteArray jpeg = encodeJpeg(quadrants(16, 16));
        const qsizetype sof = jpeg.indexOf("\xFF\xC0");
        QVERIFY(sof > 0);
        // Height and width of the frame header become 30000.
        jpeg[sof + 5] = char(30000 >> 8);
        jpeg[sof + 6] = char(30000 & 0xFF);
        jpeg[sof + 7] = char(30000 >> 8);
        jpeg[sof + 8] = char(30000 & 0xFF);
        const Fallible<JpegDecodeResult> full = decodeJpeg(jpeg);
        QVERIFY(!full.ok());
        QVERIFY(full.error().contains(QStringLiteral("massa gran")));
        // At an eighth it is 3750 x 3750, which is allowed: the missing data decodes as filler.
        const Fallible<JpegDecodeResult> scaled = decodeJpeg(jpeg, QSize(1000, 1000));
        QVERIFY(scaled.ok());
        QCOMPARE(scaled.value().image.size(), QSize(3750, 3750));
    }
};

QTEST_MAIN(JpegDecoderTest)
#include "JpegDecoderTest.moc"
