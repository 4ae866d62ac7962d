#include "media/TAdvImage.h"

#include "media/PicturePrefetcher.h"
#include "support/GifBuilder.h"
#include "support/GifReference.h"
#include "support/SlideListFixture.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

SlidePicture still(QSize size, QColor colour = Qt::red)
{
    SlidePicture p;
    p.image = QImage(size, QImage::Format_RGB32);
    p.image.fill(colour);
    p.naturalSize = size;
    return p;
}

QString savePicture(SlideListFixture &fx, const QString &name, QSize size, QColor colour)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(colour);
    const QString path = fx.path(name);
    img.save(path, "PNG");
    return path;
}

// Paints `view` unscaled on a canvas of `size` filled with `under`.
QImage paintOver(TAdvImage &view, QSize size, QColor under)
{
    QImage canvas(size, QImage::Format_RGB32);
    canvas.fill(under);
    {
        QPainter p(&canvas);
        view.paint(p, canvas.rect(), QGuiApplication::palette());
    }
    return canvas;
}

// What an opaque canvas filled with `under` shows of a screen with transparent pixels.
QImage onto(const QImage &screen, QColor under)
{
    QImage out(screen.size(), QImage::Format_RGB32);
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            out.setPixel(x, y,
                         qAlpha(screen.pixel(x, y)) == 255 ? screen.pixel(x, y) : under.rgb());
    return out;
}

} // namespace

class TAdvImageTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void drawSizeWithAndWithoutAmpliation_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<bool>("ampliation");
        QTest::addColumn<QSize>("drawn");
        QTest::addColumn<int>("drawSize");
        QTest::newRow("fits, stretch only")
            << QSize(400, 400) << QSize(100, 50) << false << QSize(100, 50) << 100;
        QTest::newRow("fits, enlarged up to 200%")
            << QSize(400, 400) << QSize(100, 50) << true << QSize(200, 100) << 200;
        QTest::newRow("enlarged, then fitted")
            << QSize(150, 400) << QSize(100, 50) << true << QSize(150, 75) << 150;
        QTest::newRow("shrunk to the width")
            << QSize(500, 500) << QSize(1000, 800) << false << QSize(500, 400) << 50;
        QTest::newRow("shrunk to the height")
            << QSize(500, 300) << QSize(1000, 800) << false << QSize(375, 300) << 38;
    }
    void drawSizeWithAndWithoutAmpliation()
    {
        QFETCH(QSize, area);
        QFETCH(QSize, picture);
        QFETCH(bool, ampliation);
        QFETCH(QSize, drawn);
        QFETCH(int, drawSize);
        TAdvImage view;
        view.StretchRatio = true;
        view.CenterView = true;
        view.AmpliationEnabled = ampliation;
        view.setPicture(QStringLiteral("p"), still(picture));
        QCOMPARE(view.layout(QRect(QPoint(0, 0), area)), drawSize);
        QCOMPARE(view.pictureRect().size(), drawn);
        // Centred in the area.
        QCOMPARE(view.pictureRect().left(), area.width() / 2 - drawn.width() / 2);
        QCOMPARE(view.pictureRect().top(), area.height() / 2 - drawn.height() / 2);
    }

    void unscaledAndFramedPictures()
    {
        TAdvImage view;
        view.setPicture(QStringLiteral("p"), still({300, 200}));
        view.layout(QRect(0, 0, 100, 100));
        QCOMPARE(view.pictureRect(), QRect(0, 0, 300, 200)); // neither stretch nor centre
        QCOMPARE(view.DrawSize(), 100);
        view.ImageFrame = TAdvImage::if3D;
        view.BevelWidth = 3;
        view.StretchRatio = true;
        view.layout(QRect(0, 0, 106, 106));
        QCOMPARE(view.area(), QRect(3, 3, 100, 100));
        QCOMPARE(view.pictureRect(), QRect(3, 3, 100, 66));
    }

    void maxAmpliationAcceptsOnly11To999()
    {
        TAdvImage view;
        view.setMaxAmpliation(10);
        QCOMPARE(view.MaxAmpliation(), 200);
        view.setMaxAmpliation(1000);
        QCOMPARE(view.MaxAmpliation(), 200);
        view.setMaxAmpliation(11);
        QCOMPARE(view.MaxAmpliation(), 11);
        view.setMaxAmpliation(999);
        view.AmpliationEnabled = true;
        view.setPicture(QStringLiteral("p"), still({10, 3}));
        QCOMPARE(view.AmpliatedWidth(), 100);
        QCOMPARE(view.AmpliatedHeight(), 30);
    }

    void emptyAndMissingPictures()
    {
        SlideListFixture fx;
        TAdvImage view;
        view.setPicture(QStringLiteral("p"), still({10, 10}));
        view.setImageName(fx.path(QStringLiteral("absent.gif")));
        QVERIFY(!view.hasPicture());
        QCOMPARE(view.missingText(), QStringLiteral("No existeix 'absent.gif'"));
        QCOMPARE(view.ImageName(), QString());
        QCOMPARE(view.layout(QRect(0, 0, 50, 50)), 0);
        // An undecodable file leaves the view empty and says why.
        const QString broken = fx.file(QStringLiteral("broken.png"), "not a picture at all");
        const QString error = view.setImageName(broken);
        QVERIFY(!error.isEmpty());
        QVERIFY(!view.hasPicture());
        QVERIFY(view.missingText().isEmpty());
        QCOMPARE(view.FileSize(), qint64(20));
        QCOMPARE(view.DrawSize(), 0);
    }

    void theSameNameLoadsOnce()
    {
        SlideListFixture fx;
        TAdvImage view;
        const QString path = savePicture(fx, QStringLiteral("p.png"), {40, 20}, Qt::red);
        view.setImageName(path);
        QCOMPARE(view.pictureSize(), QSize(40, 20));
        savePicture(fx, QStringLiteral("p.png"), {80, 80}, Qt::blue);
        view.setImageName(path);
        QCOMPARE(view.pictureSize(), QSize(40, 20));
        view.LoadImage(path);
        QCOMPARE(view.pictureSize(), QSize(80, 80));
    }

    void rubberBandZoomAndDoubleClick()
    {
        TAdvImage view;
        view.StretchRatio = true;
        view.CenterView = true;
        view.setPicture(QStringLiteral("p"), still({400, 300}));
        const QRect client(0, 0, 400, 300);
        view.layout(client);
        // Without Ctrl, or while zoom is not allowed, a press is an ordinary one.
        QCOMPARE(view.mousePress({10, 10}, true), TAdvImage::Press::Ordinary);
        view.ManualZoomAllowed = true;
        QCOMPARE(view.mousePress({10, 10}, false), TAdvImage::Press::Ordinary);
        // A 4-pixel-high selection does not zoom.
        QCOMPARE(view.mousePress({100, 50}, true), TAdvImage::Press::Selecting);
        view.mouseMove({200, 54});
        QCOMPARE(view.selectionRect(), QRect(QPoint(100, 50), QPoint(200, 54)));
        QVERIFY(!view.mouseRelease({200, 54}));
        QVERIFY(!view.Zoomed());
        // Dragged from bottom-right to top-left: the same as the other way round.
        view.mousePress({200, 100}, true);
        QVERIFY(view.mouseRelease({100, 50}));
        QVERIFY(view.Zoomed());
        QCOMPARE(view.ZoomPercent(), 400);
        QCOMPARE(view.layout(client), 400);
        // The selection's corner is at the area's origin now.
        QCOMPARE(view.pictureRect(), QRect(-400, -200, 1600, 1200));
        QVERIFY(view.doubleClick());
        QVERIFY(!view.Zoomed());
        QCOMPARE(view.layout(client), 100);
        QVERIFY(!view.doubleClick());
    }

    void zoomedPaintStaysSmall()
    {
        // A huge zoom paints only what shows; the cached scaled copy never grows with it.
        TAdvImage view;
        view.StretchRatio = true;
        view.ManualZoomAllowed = true;
        QImage img(200, 200, QImage::Format_RGB32);
        img.fill(Qt::green);
        QPainter(&img).fillRect(0, 0, 100, 200, Qt::blue);
        SlidePicture pic;
        pic.image = img;
        pic.naturalSize = img.size();
        view.setPicture(QStringLiteral("p"), pic);
        QImage canvas(200, 200, QImage::Format_RGB32);
        {
            QPainter p(&canvas);
            view.paint(p, canvas.rect(), QGuiApplication::palette());
        }
        view.mousePress({96, 96}, true);
        QVERIFY(view.mouseRelease({104, 104}));
        {
            QPainter p(&canvas);
            view.paint(p, canvas.rect(), QGuiApplication::palette());
        }
        // 2500%: a 5000x5000 picture, of which the middle 8 source pixels show.
        QCOMPARE(view.ZoomPercent(), 2500);
        QCOMPARE(view.pictureRect(), QRect(-2400, -2400, 5000, 5000));
        QCOMPARE(canvas.pixel(2, 100), qRgb(0, 0, 255));
        QCOMPARE(canvas.pixel(197, 100), qRgb(0, 255, 0));
    }

    void paintFillsAroundThePictureAndShowsTheMissingText()
    {
        TAdvImage view;
        view.StretchRatio = true;
        view.CenterView = true;
        view.Color = 0x00FF00;
        view.setPicture(QStringLiteral("p"), still({100, 50}, Qt::red));
        QImage canvas(200, 200, QImage::Format_RGB32);
        canvas.fill(Qt::black);
        {
            QPainter p(&canvas);
            QCOMPARE(view.paint(p, canvas.rect(), QGuiApplication::palette()), 100);
        }
        QCOMPARE(canvas.pixel(100, 100), qRgb(255, 0, 0));
        QCOMPARE(canvas.pixel(5, 5), qRgb(0, 255, 0));
        QCOMPARE(canvas.pixel(195, 195), qRgb(0, 255, 0));
        // Missing: the panel behind shows, with the text in the middle.
        view.setImageName(QStringLiteral("/nowhere/x.jpg"));
        canvas.fill(Qt::white);
        {
            QPainter p(&canvas);
            view.paint(p, canvas.rect(), QGuiApplication::palette());
        }
        bool ink = false;
        for (int x = 40; x < 160 && !ink; ++x)
            for (int y = 90; y < 110 && !ink; ++y)
                ink = canvas.pixel(x, y) != qRgb(255, 255, 255);
        QVERIFY(ink);
        QCOMPARE(canvas.pixel(5, 5), qRgb(255, 255, 255));
    }

    void highDensityPaintUsesDevicePixels()
    {
        TAdvImage view;
        view.StretchRatio = true;
        QImage img(400, 400, QImage::Format_RGB32);
        img.fill(Qt::white);
        for (int x = 0; x < 400; x += 2)
            QPainter(&img).fillRect(x, 0, 1, 400, Qt::black);
        SlidePicture pic;
        pic.image = img;
        pic.naturalSize = img.size();
        view.setPicture(QStringLiteral("p"), pic);
        QImage canvas(400, 400, QImage::Format_RGB32);
        canvas.setDevicePixelRatio(2.0);
        QPainter p(&canvas);
        QCOMPARE(view.paint(p, QRect(0, 0, 200, 200), QGuiApplication::palette()), 50);
        p.end();
        // Stripes one device pixel wide survive: the picture was scaled to 400 device pixels.
        QCOMPARE(canvas.pixel(10, 10), qRgb(0, 0, 0));
        QCOMPARE(canvas.pixel(11, 10), qRgb(255, 255, 255));
    }

    void animationFramesStepAndWrap()
    {
        TAdvImage view;
        SlidePicture pic = still({4, 4});
        for (int d : {100, 200, 50}) {
            PictureFrame f;
            f.image = pic.image;
            f.delayMs = d;
            pic.frames.push_back(f);
        }
        view.setPicture(QStringLiteral("a.gif"), pic);
        QVERIFY(!view.animated());
        view.GIFAnimate = true;
        QVERIFY(view.animated());
        // Every frame shows for the speed × 10 ms, whatever its own delay, never under 55 ms.
        QCOMPARE(view.currentFrameDelayMs(), 100);
        view.nextFrame();
        QCOMPARE(view.currentFrameDelayMs(), 100);
        view.GifAnimateSpeed = 20;
        QCOMPARE(view.currentFrameDelayMs(), 200);
        view.GifAnimateSpeed = 2;
        QCOMPARE(view.currentFrameDelayMs(), 55);
        view.GifAnimateSpeed = 0;
        QCOMPARE(view.currentFrameDelayMs(), 55);
        view.nextFrame();
        view.nextFrame();
        QCOMPARE(view.frameIndex(), 0);
    }

    void transparencyLeavesGifFramesAlone()
    {
        // Red in the bottom-left corner and elsewhere: the colour a transparent bitmap loses.
        const QList<QRgb> palette = {qRgb(255, 0, 0), qRgb(0, 0, 255)};
        std::vector<std::uint8_t> px(8 * 8, 1);
        for (int i = 0; i < 8; ++i)
            px[size_t(i * 8 + i)] = 0;
        px[size_t(7 * 8)] = 0;
        GifBuilder gif(8, 8, palette);
        gif.addFrame(8, 8, px);
        gif.addFrame(8, 8, std::vector<std::uint8_t>(64, 0));
        const SlidePicture pic = DecodeSlidePicture(gif.finish(), QStringLiteral("gif"));
        QVERIFY(pic.ok());

        TAdvImage view;
        view.Transparent = true;
        view.setPicture(QStringLiteral("a.gif"), pic);
        QImage canvas = paintOver(view, {8, 8}, Qt::yellow);
        QCOMPARE(canvas.pixel(0, 7), qRgb(255, 0, 0));
        QCOMPARE(canvas.pixel(3, 3), qRgb(255, 0, 0));
        QCOMPARE(canvas.pixel(1, 0), qRgb(0, 0, 255));
        view.GIFAnimate = true;
        view.nextFrame();
        canvas = paintOver(view, {8, 8}, Qt::yellow);
        QCOMPARE(canvas.pixel(4, 4), qRgb(255, 0, 0));

        // A bitmap still loses its corner colour.
        SlidePicture bitmap;
        bitmap.image = QImage(8, 8, QImage::Format_RGB32);
        bitmap.image.fill(Qt::red);
        bitmap.image.setPixel(1, 0, qRgb(0, 0, 255));
        bitmap.naturalSize = bitmap.image.size();
        view.setPicture(QStringLiteral("a.bmp"), bitmap);
        canvas = paintOver(view, {8, 8}, Qt::yellow);
        QCOMPARE(canvas.pixel(3, 3), qRgb(255, 255, 0));
        QCOMPARE(canvas.pixel(1, 0), qRgb(0, 0, 255));
    }

    void gifFramesShowComposedOnTheirScreen()
    {
        // Small frames at offsets with transparency and each disposal method, as the player
        // loads them; the panel shows where the screen is transparent.
        const QList<QRgb> palette = {qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(0, 0, 255),
                                     qRgb(255, 255, 255)};
        GifPlan plan{QSize(16, 12), palette, 3, {}};
        const auto frame = [](QRect r, int fill, int disposal, int transparent) {
            GifFramePlan f;
            f.rect = r;
            f.indices.assign(size_t(r.width() * r.height()), std::uint8_t(fill));
            // A transparent stripe down the middle column when the frame has a transparent index.
            if (transparent >= 0)
                for (int y = 0; y < r.height(); ++y)
                    f.indices[size_t(y * r.width() + r.width() / 2)] = std::uint8_t(transparent);
            f.disposal = disposal;
            f.transparent = transparent;
            return f;
        };
        plan.frames.push_back(frame(QRect(0, 0, 16, 12), 1, 1, 0)); // a see-through stripe
        plan.frames.push_back(frame(QRect(2, 2, 5, 4), 0, 0, -1));  // kept
        plan.frames.push_back(frame(QRect(8, 3, 6, 6), 2, 2, -1));  // to the white background
        plan.frames.push_back(frame(QRect(10, 8, 9, 6), 0, 3, 3));  // clipped, then undone
        plan.frames.push_back(frame(QRect(1, 7, 4, 4), 2, 2, 1));   // to transparent
        plan.frames.push_back(frame(QRect(5, 0, 3, 3), 3, 0, -1));
        const std::vector<QImage> expected = plan.expectedScreens();

        const SlidePicture pic = DecodeSlidePicture(plan.encode(), QStringLiteral("gif"));
        QVERIFY(pic.ok());
        QCOMPARE(pic.naturalSize, QSize(16, 12));
        QCOMPARE(pic.frames.size(), size_t(6));
        TAdvImage view;
        view.GIFAnimate = true;
        view.Transparent = true; // no effect on a GIF
        view.setPicture(QStringLiteral("a.gif"), pic);
        // Twice round: the animation starts afresh at the first frame.
        for (int i = 0; i < 12; ++i) {
            QCOMPARE(view.frameIndex(), i % 6);
            const QImage shown = paintOver(view, {16, 12}, Qt::magenta);
            const QString diff = firstDifference(shown, onto(expected[size_t(i % 6)], Qt::magenta));
            QVERIFY2(diff.isEmpty(), qPrintable(QStringLiteral("frame %1: %2").arg(i).arg(diff)));
            view.nextFrame();
        }
        // Still (not animating), the first frame shows.
        view.GIFAnimate = false;
        QCOMPARE(paintOver(view, {16, 12}, Qt::magenta), onto(expected[0], Qt::magenta));
    }

    void transparencyKeysBitmapsButSparesIconsAndMetafiles()
    {
        // A red picture with a blue bottom-left pixel: drawn transparently, a bitmap loses its
        // blue pixels (what lies below, green, shows there); an icon keeps every pixel.
        QImage img(8, 8, QImage::Format_RGB32);
        img.fill(Qt::red);
        img.setPixel(0, 7, qRgb(0, 0, 255));
        img.setPixel(7, 0, qRgb(0, 0, 255));
        const auto encoded = [&img](const char *format) {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            img.save(&buffer, format);
            return bytes;
        };
        const auto drawn = [](const SlidePicture &pic) {
            TAdvImage view;
            view.Transparent = true;
            view.setPicture(QStringLiteral("p"), pic);
            QImage canvas(8, 8, QImage::Format_RGB32);
            canvas.fill(Qt::green);
            QPainter p(&canvas);
            view.paint(p, canvas.rect(), QGuiApplication::palette());
            return canvas;
        };
        const SlidePicture bmp = DecodeSlidePicture(encoded("BMP"), QStringLiteral("bmp"));
        const SlidePicture ico = DecodeSlidePicture(encoded("ICO"), QStringLiteral("ico"));
        QVERIFY(bmp.ok() && ico.ok());
        QCOMPARE(ico.kind, PictureKind::Icon);
        QImage canvas = drawn(bmp);
        QCOMPARE(canvas.pixel(7, 0), qRgb(0, 255, 0));
        QCOMPARE(canvas.pixel(3, 3), qRgb(255, 0, 0));
        canvas = drawn(ico);
        QCOMPARE(canvas.pixel(7, 0), qRgb(0, 0, 255));
        QCOMPARE(canvas.pixel(0, 7), qRgb(0, 0, 255));
        QCOMPARE(canvas.pixel(3, 3), qRgb(255, 0, 0));
    }

    void prefetchedPictureComesScaled()
    {
        SlideListFixture fx;
        // The pictures of the prefetch tests stay under 131,072 pixels, which Qt scales on the
        // calling thread rather than on a pool of its own: every thread in them is then the
        // prefetcher's, as the ThreadSanitizer pass needs.
        const QString path = savePicture(fx, QStringLiteral("big.png"), {420, 300}, Qt::blue);
        PicturePrefetcher prefetcher;
        QVERIFY(!prefetcher.take(path));
        prefetcher.prefetch(path, QSize(), [](QSize natural) { return natural / 3; });
        QVERIFY(prefetcher.has(path));
        auto prepared = prefetcher.take(path);
        QVERIFY(prepared);
        QCOMPARE(prepared->picture.naturalSize, QSize(420, 300));
        QCOMPARE(prepared->prescaled.size(), QSize(140, 100));
        QVERIFY(!prefetcher.take(path)); // handed over once
        // A missing file comes back empty with its message, never a crash.
        prefetcher.prefetch(fx.path(QStringLiteral("absent.png")), QSize(), {});
        prepared = prefetcher.take(fx.path(QStringLiteral("absent.png")));
        QVERIFY(prepared && !prepared->picture.ok());
        QVERIFY(!prepared->picture.error.isEmpty());
    }

    // A run stepping faster than pictures decode: each prefetch replaces one still decoding,
    // a take may come for a replaced file, and the prefetcher goes with a decoding in progress.
    // Run under ThreadSanitizer too.
    void prefetchReplacedWhileDecoding()
    {
        SlideListFixture fx;
        QStringList paths;
        for (int i = 0; i < 8; ++i)
            paths << savePicture(fx, QStringLiteral("p%1.png").arg(i), {280 + 10 * i, 360},
                                 QColor::fromHsv(40 * i, 200, 200));
        QAtomicInt planned = 0;
        const auto planner = [&planned](QSize natural) {
            planned.fetchAndAddRelaxed(1);
            return natural / 2;
        };
        {
            PicturePrefetcher prefetcher;
            for (int round = 0; round < 5; ++round) {
                for (int i = 0; i < paths.size(); ++i) {
                    prefetcher.prefetch(paths[i], QSize(), planner);
                    if (i % 3 == 2) {
                        // The current file comes whole; a file replaced before comes as none.
                        auto prepared = prefetcher.take(paths[i]);
                        QVERIFY(prepared && prepared->picture.ok());
                        QCOMPARE(prepared->prescaled.size(), QSize(140 + 5 * i, 180));
                        QVERIFY(!prefetcher.take(paths[i - 1]));
                    }
                }
            }
            prefetcher.prefetch(paths.first(), QSize(), planner);
        }
        QVERIFY(planned.loadRelaxed() > 0);
    }
};

QTEST_MAIN(TAdvImageTest)
#include "TAdvImageTest.moc"
