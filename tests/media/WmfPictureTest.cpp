#include "media/WmfPicture.h"
#include "media/SlidePicture.h"

#include <QPainter>
#include <QTest>

#include <initializer_list>

namespace {

// Writes metafiles record by record.
class WmfWriter
{
public:
    void record(std::uint16_t function, std::initializer_list<int> words,
                const QByteArray &tail = {})
    {
        const qsizetype size = 3 + qsizetype(words.size()) + (tail.size() + 1) / 2;
        putDword(quint32(size));
        putWord(function);
        for (int w : words)
            putWord(w);
        m_body += tail;
        if (tail.size() % 2)
            m_body += char(0);
    }
    QByteArray finish(std::optional<QRect> placeable, int inch = 1440, int objects = 8)
    {
        record(0x0000, {});
        QByteArray out;
        if (placeable) {
            QByteArray p;
            auto w = [&](int v) { p += char(v & 0xFF), p += char((v >> 8) & 0xFF); };
            w(0xCDD7), w(0x9AC6), w(0);
            w(placeable->left()), w(placeable->top()), w(placeable->right() + 1),
                w(placeable->bottom() + 1);
            w(inch), w(0), w(0), w(0);
            out += p;
        }
        QByteArray h;
        auto w = [&](int v) { h += char(v & 0xFF), h += char((v >> 8) & 0xFF); };
        w(1), w(9), w(0x0300), w(0), w(0), w(objects), w(0), w(0), w(0);
        return out + h + m_body;
    }

    static QByteArray colorRef(QRgb c)
    {
        return QByteArray() + char(qRed(c)) + char(qGreen(c)) + char(qBlue(c)) + char(0);
    }
    void solidBrush(QRgb c)
    {
        record(0x02FC, {0, int(qRed(c) | qGreen(c) << 8), int(qBlue(c)), 0});
    }
    void nullPen() { record(0x02FA, {5, 0, 0, 0, 0}); }
    void pen(QRgb c, int width)
    {
        record(0x02FA, {0, width, 0, int(qRed(c) | qGreen(c) << 8), int(qBlue(c))});
    }
    void select(int index) { record(0x012D, {index}); }
    void window(int x, int y, int w, int h)
    {
        record(0x020B, {y, x});
        record(0x020C, {h, w});
    }

private:
    void putWord(int v)
    {
        m_body += char(v & 0xFF);
        m_body += char((v >> 8) & 0xFF);
    }
    void putDword(quint32 v)
    {
        putWord(int(v & 0xFFFF));
        putWord(int(v >> 16));
    }
    QByteArray m_body;
};

QImage render(const QByteArray &bytes, QSize size = QSize(100, 100))
{
    Fallible<std::shared_ptr<WmfPicture>> pic = WmfPicture::fromBytes(bytes);
    if (!pic.ok())
        return {};
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    pic.value()->paint(p, QRectF(QPointF(0, 0), size));
    return img;
}

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlack = qRgb(0, 0, 0);

// A packed 24-bit bottom-up DIB of 2 x 2 pixels: bottom row blue, green; top row red, white.
QByteArray dib2x2()
{
    QByteArray d;
    auto dw = [&](quint32 v) {
        for (int i = 0; i < 4; ++i)
            d += char((v >> (8 * i)) & 0xFF);
    };
    auto w = [&](int v) { d += char(v & 0xFF), d += char((v >> 8) & 0xFF); };
    dw(40), dw(2), dw(2), w(1), w(24), dw(0), dw(16), dw(0), dw(0), dw(0), dw(0);
    d += QByteArray("\xFF\x00\x00\x00\xFF\x00\x00\x00", 8); // blue, green (BGR) + pad
    d += QByteArray("\x00\x00\xFF\xFF\xFF\xFF\x00\x00", 8); // red, white + pad
    return d;
}

} // namespace

class WmfPictureTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placeableBoundsMapOntoTheTarget()
    {
        WmfWriter w;
        w.solidBrush(kRed);
        w.select(0);
        w.nullPen();
        w.select(1);
        w.record(0x041B, {1000, 500, 0, 0}); // rectangle: bottom, right, top, left
        const QByteArray bytes = w.finish(QRect(0, 0, 1000, 1000), 1000);
        Fallible<std::shared_ptr<WmfPicture>> pic = WmfPicture::fromBytes(bytes);
        QVERIFY(pic.ok());
        QCOMPARE(pic.value()->naturalSize(), QSize(96, 96));
        const QImage img = render(bytes);
        QCOMPARE(img.pixel(10, 50), kRed);
        QCOMPARE(img.pixel(45, 95), kRed);
        QCOMPARE(img.pixel(60, 50), kBlack);

        const SlidePicture slide = DecodeSlidePicture(bytes, QStringLiteral("WMF"));
        QVERIFY(slide.ok());
        QVERIFY(slide.image.isNull());
        QCOMPARE(slide.naturalSize, QSize(96, 96));
    }

    void windowAndViewportMapping()
    {
        WmfWriter w;
        w.window(100, 100, 200, 200);
        w.solidBrush(kRed);
        w.select(0);
        w.nullPen();
        w.select(1);
        w.record(0x041B, {200, 200, 100, 100}); // the window's top-left quarter
        QImage img = render(w.finish(std::nullopt));
        QCOMPARE(img.pixel(20, 20), kRed);
        QCOMPARE(img.pixel(70, 20), kBlack);
        QCOMPARE(img.pixel(20, 70), kBlack);

        // A window whose y axis runs upwards turns the picture over.
        WmfWriter up;
        up.window(0, 100, 100, -100);
        up.solidBrush(kRed);
        up.select(0);
        up.nullPen();
        up.select(1);
        up.record(0x041B, {50, 100, 0, 0}); // y 0..50: the lower half on screen
        img = render(up.finish(std::nullopt));
        QCOMPARE(img.pixel(50, 80), kRed);
        QCOMPARE(img.pixel(50, 20), kBlack);

        // Viewport records scale logical units onto the viewport's.
        WmfWriter vp;
        vp.record(0x020C, {10, 10});   // window ext 10 x 10
        vp.record(0x020E, {100, 100}); // viewport ext 100 x 100
        vp.solidBrush(kRed);
        vp.select(0);
        vp.nullPen();
        vp.select(1);
        vp.record(0x041B, {5, 5, 0, 0});
        img = render(vp.finish(std::nullopt));
        QCOMPARE(img.pixel(25, 25), kRed);
        QCOMPARE(img.pixel(75, 75), kBlack);
    }

    void shapesFillWhereTheyShould()
    {
        auto draw = [](std::uint16_t function, std::initializer_list<int> params) {
            WmfWriter w;
            w.window(0, 0, 100, 100);
            w.solidBrush(kRed);
            w.select(0);
            w.nullPen();
            w.select(1);
            w.record(function, params);
            return render(w.finish(std::nullopt));
        };
        QImage img = draw(0x0418, {100, 50, 0, 0}); // ellipse in the left half
        QCOMPARE(img.pixel(25, 50), kRed);
        QCOMPARE(img.pixel(2, 2), kBlack);
        QCOMPARE(img.pixel(75, 50), kBlack);

        // Pies and chords run counter-clockwise from the start radial to the end radial.
        // Parameters: end y, end x, start y, start x, bottom, right, top, left.
        img = draw(0x081A, {0, 50, 50, 100, 100, 100, 0, 0}); // 3 o'clock to 12 o'clock
        QCOMPARE(img.pixel(75, 25), kRed);
        QCOMPARE(img.pixel(25, 25), kBlack);
        QCOMPARE(img.pixel(75, 75), kBlack);
        QCOMPARE(img.pixel(25, 75), kBlack);
        img = draw(0x081A, {50, 100, 0, 50, 100, 100, 0, 0}); // 12 o'clock round to 3 o'clock
        QCOMPARE(img.pixel(75, 25), kBlack);
        QCOMPARE(img.pixel(25, 25), kRed);
        QCOMPARE(img.pixel(75, 75), kRed);
        img = draw(0x0830, {0, 50, 50, 100, 100, 100, 0, 0}); // chord of the same quarter
        QCOMPARE(img.pixel(85, 15), kRed);
        QCOMPARE(img.pixel(60, 40), kBlack);
        img = draw(0x061C, {40, 40, 100, 100, 0, 0}); // round rectangle: corners cut off
        QCOMPARE(img.pixel(50, 50), kRed);
        QCOMPARE(img.pixel(1, 1), kBlack);
        QCOMPARE(img.pixel(50, 1), kRed);
    }

    void polygonsFollowTheFillMode()
    {
        // A five-pointed star drawn in one stroke: its centre is inside for winding only.
        const std::initializer_list<int> star = {5, 50, 0, 79, 90, 2, 35, 98, 35, 21, 90};
        for (int mode : {1, 2}) {
            WmfWriter w;
            w.window(0, 0, 100, 100);
            w.solidBrush(kRed);
            w.select(0);
            w.nullPen();
            w.select(1);
            w.record(0x0106, {mode});
            w.record(0x0324, star);
            const QImage img = render(w.finish(std::nullopt));
            QCOMPARE(img.pixel(50, 10), kRed);                      // a point of the star
            QCOMPARE(img.pixel(50, 50), mode == 2 ? kRed : kBlack); // the centre
        }
        // A poly-polygon with a hole.
        WmfWriter w;
        w.window(0, 0, 100, 100);
        w.solidBrush(kRed);
        w.select(0);
        w.nullPen();
        w.select(1);
        w.record(0x0538, {2, 4, 4, 0, 0, 100, 0, 100, 100, 0, 100, 40, 40, 60, 40, 60, 60, 40, 60});
        const QImage img = render(w.finish(std::nullopt));
        QCOMPARE(img.pixel(10, 10), kRed);
        QCOMPARE(img.pixel(50, 50), kBlack);
    }

    void linesPensAndSavedStates()
    {
        WmfWriter w;
        w.window(0, 0, 100, 100);
        w.pen(qRgb(0, 255, 0), 6); // object 0
        w.record(0x001E, {});      // save
        w.select(0);
        w.record(0x0214, {10, 0});             // move to (0,10)
        w.record(0x0213, {10, 100});           // line to (100,10)
        w.record(0x0127, {-1});                // restore: back to the default pen
        w.record(0x0325, {2, 0, 90, 100, 90}); // polyline at y 90 with the black pen
        w.record(0x01F0, {0});                 // delete object 0
        w.solidBrush(kRed);                    // takes slot 0 again
        w.select(0);
        w.record(0x041B, {60, 60, 40, 40});
        const QImage img = render(w.finish(std::nullopt));
        QCOMPARE(img.pixel(50, 10), qRgb(0, 255, 0));
        QCOMPARE(img.pixel(50, 90), kBlack);
        QCOMPARE(img.pixel(50, 50), kRed);
    }

    void textIsDrawnInTheTextColourWithItsBackground()
    {
        WmfWriter w;
        w.window(0, 0, 200, 100);
        QByteArray face("DejaVu Sans");
        face.resize(32, '\0');
        w.record(0x02FB, {-40, 0, 0, 0, 700, 0, 0, 0, 0}, face); // font, 40 units, bold
        w.select(0);
        w.record(0x0209, {255, 0}); // text colour red
        w.record(0x0201, {0, 255}); // background blue
        w.record(0x0102, {2});      // opaque
        w.record(0x0521, {3}, QByteArray("HHH") + char(0) + QByteArray("\x0A\x00\x0A\x00", 4));
        QImage img = render(w.finish(std::nullopt), QSize(200, 100));
        int red = 0, blue = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 100; ++x) {
                red += img.pixel(x, y) == kRed;
                blue += img.pixel(x, y) == qRgb(0, 0, 255);
            }
        QVERIFY2(red > 50, "text pixels");
        QVERIFY2(blue > 50, "opaque background");
        QCOMPARE(img.pixel(190, 90), kBlack);

        // Transparent mode, centred alignment with ExtTextOut.
        WmfWriter t;
        t.window(0, 0, 200, 100);
        t.record(0x02FB, {-40, 0, 0, 0, 400, 0, 0, 0, 0}, face);
        t.select(0);
        t.record(0x0209, {255, 0});
        t.record(0x0102, {1});
        t.record(0x012E, {6}); // centred
        t.record(0x0A32, {30, 100, 2, 0}, QByteArray("HH"));
        img = render(t.finish(std::nullopt), QSize(200, 100));
        int left = 0, right = 0, blueAny = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 200; ++x) {
                if (img.pixel(x, y) == kRed)
                    (x < 100 ? left : right)++;
                blueAny += img.pixel(x, y) == qRgb(0, 0, 255);
            }
        QVERIFY(left > 20 && right > 20);
        QCOMPARE(blueAny, 0);
    }

    void hugeTextUnderAHugeScaleIsBounded()
    {
        // One logical unit is the whole picture and the viewport blows it up 32767 times: the
        // tallest font then asks for ~10^11 pixels, beyond any whole number of pixels. The text
        // is drawn at the largest size there is, its opaque background covering the picture.
        WmfWriter w;
        w.record(0x020C, {1, 1});         // window extent 1 x 1
        w.record(0x020E, {32767, 32767}); // viewport extent
        QByteArray face("DejaVu Sans");
        face.resize(32, '\0');
        w.record(0x02FB, {-32767, 0, 0, 0, 400, 0, 0, 0, 0}, face);
        w.select(0);
        w.record(0x0209, {255, 0});                                             // text colour red
        w.record(0x0201, {0, 255});                                             // background blue
        w.record(0x0102, {2});                                                  // opaque
        w.record(0x0521, {1}, QByteArray("H") + char(0) + QByteArray(4, '\0')); // at (0, 0)
        const QImage img = render(w.finish(QRect(0, 0, 1, 1)));
        int blue = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                blue += img.pixel(x, y) == qRgb(0, 0, 255);
        QVERIFY2(blue > 9000, qPrintable(QString::number(blue)));
    }

    void bitmapsAreStretchedTheRightWayUp()
    {
        WmfWriter w;
        w.window(0, 0, 100, 100);
        // StretchDIB: rop, usage, src h, src w, y src, x src, dest h, dest w, y, x, DIB.
        w.record(0x0F43, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 100, 100, 0, 0}, dib2x2());
        QImage img = render(w.finish(std::nullopt));
        QCOMPARE(img.pixel(20, 20), kRed);
        QCOMPARE(img.pixel(80, 20), qRgb(255, 255, 255));
        QCOMPARE(img.pixel(20, 80), qRgb(0, 0, 255));
        QCOMPARE(img.pixel(80, 80), qRgb(0, 255, 0));

        WmfWriter d;
        d.window(0, 0, 4, 4);
        // SetDIBitsToDevice: usage, scans, start, y src, x src, h, w, y, x, DIB at natural size.
        d.record(0x0D33, {0, 2, 0, 0, 0, 2, 2, 2, 2}, dib2x2());
        img = render(d.finish(std::nullopt));
        QCOMPARE(img.pixel(60, 60), kRed);
        QCOMPARE(img.pixel(20, 20), kBlack);

        WmfWriter b;
        b.window(0, 0, 10, 10);
        // DIBStretchBlt: rop, src h, src w, y src, x src, dest h, dest w, y, x, DIB.
        b.record(0x0B41, {0x0020, 0x00CC, 2, 2, 0, 0, 10, 5, 0, 5}, dib2x2());
        img = render(b.finish(std::nullopt));
        QCOMPARE(img.pixel(60, 20), kRed);
        QCOMPARE(img.pixel(20, 20), kBlack);
    }

    void badMetafilesAreRefusedOrCutShort()
    {
        QVERIFY(!WmfPicture::fromBytes({}).ok());
        QCOMPARE(WmfPicture::fromBytes("plain text, no metafile").error(),
                 QStringLiteral("El fitxer no és un metafitxer vàlid"));
        WmfWriter w;
        w.window(0, 0, 100, 100);
        w.solidBrush(kRed);
        w.select(0);
        w.select(900);                   // no such object
        w.record(0x0324, {30000, 1, 2}); // claims more points than it has
        w.record(0x0538, {9000, 1});     // likewise
        w.record(0x0F43, {0x20, 0xCC, 0, 2, 2, 0, 0, 100, 100, 0, 0}, QByteArray(10, 'x'));
        w.record(0x0521, {500}); // text longer than the record
        w.record(0x041B, {100, 100, 0, 0});
        QByteArray bytes = w.finish(std::nullopt);
        QImage img = render(bytes);
        QCOMPARE(img.pixel(50, 50), kRed);
        // A record whose size runs past the end stops the picture there, keeping the rest.
        QByteArray cut = bytes.left(bytes.size() - 10);
        QVERIFY(WmfPicture::fromBytes(cut).ok());
        WmfWriter empty;
        QCOMPARE(WmfPicture::fromBytes(empty.finish(std::nullopt)).error(),
                 QStringLiteral("El metafitxer no indica la seva mida"));
    }
};

QTEST_MAIN(WmfPictureTest)
#include "WmfPictureTest.moc"
