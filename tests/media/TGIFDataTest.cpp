#include "media/TGIFData.h"
#include "media/GifComposer.h"
#include "media/GifLzwDecoder.h"
#include "support/GifBuilder.h"
#include "support/GifReference.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

const QList<QRgb> kFour = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};

std::vector<std::uint8_t> randomIndices(int count, int colours, quint32 seed)
{
    QRandomGenerator rng(seed);
    std::vector<std::uint8_t> out(static_cast<size_t>(count));
    for (auto &v : out)
        v = std::uint8_t(rng.bounded(colours));
    return out;
}

std::vector<std::uint8_t> indicesOf(const QImage &image)
{
    std::vector<std::uint8_t> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.push_back(std::uint8_t(image.pixelIndex(x, y)));
    return out;
}

QString parseErrorOf(const QByteArray &bytes)
{
    TGIFData data(bytes);
    return data.frameCount() == 0 ? data.parseError() : QString();
}

GifFramePlan frameAt(QRect rect, int colours, quint32 seed, int disposal = 0, int transparent = -1)
{
    GifFramePlan f;
    f.rect = rect;
    f.indices = randomIndices(rect.width() * rect.height(), colours, seed);
    f.disposal = disposal;
    f.transparent = transparent;
    return f;
}

// Composes every frame of `plan` in order and compares each with the reference screens.
void compareWithReference(const GifPlan &plan)
{
    auto data = std::make_shared<TGIFData>(plan.encode());
    QCOMPARE(data->frameCount(), int(plan.frames.size()));
    const std::vector<QImage> expected = plan.expectedScreens();
    GifComposer composer(data);
    for (size_t i = 0; i < expected.size(); ++i) {
        const QString diff = firstDifference(composer.frame(int(i)), expected[i]);
        QVERIFY2(diff.isEmpty(), qPrintable(QStringLiteral("frame %1: %2").arg(i).arg(diff)));
    }
}

} // namespace

class TGIFDataTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void framesKeepTheirPixelsPaletteAndSize()
    {
        GifBuilder gif(40, 30, kFour);
        const auto first = randomIndices(40 * 30, 4, 1);
        const auto second = randomIndices(10 * 5, 2, 2);
        gif.addGraphicControl(100);
        gif.addFrame(40, 30, first);
        gif.addGraphicControl(0);
        gif.addFrame(10, 5, second, false, {qRgb(10, 20, 30), qRgb(40, 50, 60)}, 7, 9);
        gif.addFrame(40, 30, first);
        TGIFData data(gif.finish());

        QCOMPARE(data.screenWidth(), 40);
        QCOMPARE(data.screenHeight(), 30);
        QCOMPARE(data.frameCount(), 3);
        QVERIFY(data.parseError().isEmpty());
        QCOMPARE(indicesOf(data.frames()[0].bitmap()), first);
        QCOMPARE(data.frames()[0].bitmap().pixel(0, 0), kFour[first[0]]);
        // A smaller frame keeps its own size, palette and offsets (the composer places it).
        const TGIFFrame &small = data.frames()[1];
        QCOMPARE(small.bitmap().size(), QSize(10, 5));
        QCOMPARE(indicesOf(small.bitmap()), second);
        QCOMPARE(small.bitmap().pixel(0, 0), second[0] ? qRgb(40, 50, 60) : qRgb(10, 20, 30));
        QCOMPARE(small.descriptor().left, 7);
        QCOMPARE(data.globalColorTable().count(), 4);
    }

    void partialFramesAreComposedOnTheScreen()
    {
        // Background index 2 (blue); every disposal method, offsets, frames that reach past the
        // screen, transparency, a local table and an interlaced frame.
        GifPlan plan{QSize(12, 10), kFour, 2, {}};
        plan.frames.push_back(frameAt(QRect(0, 0, 12, 10), 4, 21, 1));
        plan.frames.push_back(frameAt(QRect(2, 2, 4, 3), 4, 22, 0, 3));
        plan.frames.push_back(frameAt(QRect(9, 7, 5, 5), 4, 23, 2));    // clipped; to blue
        plan.frames.push_back(frameAt(QRect(1, 6, 3, 3), 4, 24, 2, 0)); // to transparent
        GifFramePlan local = frameAt(QRect(4, 1, 6, 4), 2, 25, 3);
        local.local = {qRgb(10, 20, 30), qRgb(200, 100, 50)};
        plan.frames.push_back(local);                                   // restored after
        plan.frames.push_back(frameAt(QRect(0, 0, 2, 2), 4, 26, 3, 1)); // restored too
        GifFramePlan interlaced = frameAt(QRect(8, 0, 3, 9), 4, 27, 0, 2);
        interlaced.interlaced = true;
        plan.frames.push_back(interlaced);
        plan.frames.push_back(frameAt(QRect(12, 10, 4, 4), 4, 28)); // wholly off the screen
        compareWithReference(plan);

        // The disposals did what they say: spot checks against the file's own colours.
        const std::vector<QImage> screens = plan.expectedScreens();
        QCOMPARE(QRgb(screens[3].pixel(10, 8)), kFour[2]);        // frame 2 gone to the background
        QCOMPARE(qAlpha(screens[4].pixel(2, 7)), 0);              // frame 3 gone to transparent
        QCOMPARE(screens[5].pixel(5, 2), screens[3].pixel(5, 2)); // frame 4 restored

        // Asking again, out of order, gives the same screens: an earlier frame starts over.
        auto data = std::make_shared<TGIFData>(plan.encode());
        GifComposer composer(data);
        for (int i : {6, 2, 7, 0, 5, 5, 1}) {
            const QString diff = firstDifference(composer.frame(i), screens[size_t(i)]);
            QVERIFY2(diff.isEmpty(), qPrintable(QStringLiteral("frame %1: %2").arg(i).arg(diff)));
        }
        QVERIFY(composer.frame(8).isNull());
        QVERIFY(composer.frame(-1).isNull());
        QVERIFY(GifComposer().frame(0).isNull());
    }

    void randomFrameSequencesMatchTheReference()
    {
        for (quint32 seed = 1; seed <= 40; ++seed) {
            QRandomGenerator rng(seed);
            GifPlan plan;
            plan.screen = QSize(1 + rng.bounded(24), 1 + rng.bounded(24));
            // Every fourth file has no global table; its frames bring their own or none.
            if (seed % 4 != 0)
                for (int c = 0, n = 2 + rng.bounded(7); c < n; ++c)
                    plan.global.append(qRgb(rng.bounded(256), rng.bounded(256), rng.bounded(256)));
            plan.backgroundIndex = rng.bounded(10);
            for (int i = 0, n = 1 + rng.bounded(9); i < n; ++i) {
                const QRect rect(rng.bounded(plan.screen.width() + 3),
                                 rng.bounded(plan.screen.height() + 3), 1 + rng.bounded(20),
                                 1 + rng.bounded(20));
                GifFramePlan f;
                if (plan.global.isEmpty() ? rng.bounded(2) == 0 : rng.bounded(4) == 0)
                    for (int c = 0, m = 2 + rng.bounded(3); c < m; ++c)
                        f.local.append(qRgb(rng.bounded(256), rng.bounded(256), 0));
                const int colours = !f.local.isEmpty()
                                        ? int(f.local.size())
                                        : (plan.global.isEmpty() ? 4 : int(plan.global.size()));
                f = GifFramePlan{
                    rect,
                    randomIndices(rect.width() * rect.height(), colours, seed * 100 + quint32(i)),
                    rng.bounded(3) == 0 ? rng.bounded(colours) : -1,
                    rng.bounded(8),
                    f.local,
                    rng.bounded(3) == 0,
                    10};
                plan.frames.push_back(f);
            }
            compareWithReference(plan);
            if (QTest::currentTestFailed()) {
                qWarning("seed %u", seed);
                return;
            }
        }
    }

    void framesThatCoverTheScreenLookAsStored()
    {
        GifPlan plan{QSize(9, 7), kFour, 1, {}};
        for (int disposal = 0; disposal < 4; ++disposal)
            plan.frames.push_back(frameAt(QRect(0, 0, 9, 7), 4, 30 + quint32(disposal), disposal));
        GifFramePlan local = frameAt(QRect(0, 0, 9, 7), 2, 35, 2);
        local.local = {qRgb(1, 2, 3), qRgb(4, 5, 6)};
        plan.frames.push_back(local);
        auto data = std::make_shared<TGIFData>(plan.encode());
        GifComposer composer(data);
        for (int i = 0; i < data->frameCount(); ++i) {
            const QImage stored =
                data->frames()[size_t(i)].bitmap().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(composer.frame(i), stored);
        }
    }

    void delaysAreCappedTenthsOfTheGraphicControlField()
    {
        GifBuilder gif(2, 2, kFour);
        const std::vector<std::uint8_t> px = {0, 1, 2, 3};
        for (int delay : {100, 500, 305, 9, 0})
            gif.addGraphicControl(delay), gif.addFrame(2, 2, px);
        gif.addFrame(2, 2, px); // no graphic control: the default
        TGIFData data(gif.finish());
        QCOMPARE(data.frameCount(), 6);
        const int expected[] = {10, 30, 30, 0, 0, 10};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(data.frames()[size_t(i)].delay(), expected[i]);
    }

    void largeFramesRoundTripThroughTableResets()
    {
        // 256 colours and noisy pixels fill the 12-bit table many times over.
        QList<QRgb> palette;
        for (int i = 0; i < 256; ++i)
            palette.append(qRgb(i, 255 - i, i / 2));
        const auto noisy = randomIndices(300 * 200, 256, 7);
        std::vector<std::uint8_t> runs(300 * 200);
        for (size_t i = 0; i < runs.size(); ++i)
            runs[i] = std::uint8_t((i / 37) % 3);
        GifBuilder gif(300, 200, palette);
        gif.addFrame(300, 200, noisy);
        gif.addFrame(300, 200, runs);
        TGIFData data(gif.finish());
        QCOMPARE(data.frameCount(), 2);
        QCOMPARE(indicesOf(data.frames()[0].bitmap()), noisy);
        QCOMPARE(indicesOf(data.frames()[1].bitmap()), runs);
    }

    void interlacedRowsComeBackInPictureOrder()
    {
        for (int height : {1, 2, 5, 8, 9, 17, 30}) {
            std::vector<std::uint8_t> px(size_t(3 * height));
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < 3; ++x)
                    px[size_t(y * 3 + x)] = std::uint8_t(y % 4);
            GifBuilder gif(3, height, kFour);
            gif.addFrame(3, height, px, true);
            TGIFData data(gif.finish());
            QCOMPARE(data.frameCount(), 1);
            QVERIFY(data.frames()[0].descriptor().interlaced());
            QCOMPARE(indicesOf(data.frames()[0].bitmap()), px);
        }
    }

    void extensionsAreReadOrSkipped()
    {
        GifBuilder gif(4, 4, kFour);
        gif.addComment("fet a classe");
        gif.addApplication("NETSCAPE2.0", QByteArray("\x01\x00\x00", 3));
        gif.addUnknownExtension(0x42, "ignora'm");
        gif.addFrame(4, 4, randomIndices(16, 4, 3));
        TGIFData data(gif.finish());
        QCOMPARE(data.frameCount(), 1);
        QCOMPARE(data.comments().size(), size_t(1));
        QCOMPARE(data.comments()[0].lines, QList<QByteArray>{"fet a classe"});
        QCOMPARE(data.applicationExtensions()[0].identifier, QByteArray("NETSCAPE2.0"));
    }

    void plainTextIsDrawnInItsCellWithTheTableColours()
    {
        GifBuilder gif(60, 30, kFour);
        gif.addPlainText(0, 0, 60, 30, 24, 0, 3, "HHHH");
        gif.addFrame(60, 30, std::vector<std::uint8_t>(60 * 30, 1)); // all green
        TGIFData data(gif.finish());
        QCOMPARE(data.frameCount(), 1);
        QVERIFY(data.drawingErrors().isEmpty());
        const QImage img = data.frames()[0].bitmap();
        int red = 0, green = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 60; ++x) {
                const QRgb c = img.pixel(x, y);
                red += qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
                green += c == qRgb(0, 255, 0);
            }
        QVERIFY2(red > 20, "the text is drawn in the foreground colour");
        QCOMPARE(green, 0); // the whole cell took the background colour
    }

    void plainTextWithABadColourIsReportedAndParsingGoesOn()
    {
        GifBuilder gif(8, 8, kFour);
        gif.addPlainText(0, 0, 8, 8, 8, 7, 0, "x");
        gif.addFrame(8, 8, std::vector<std::uint8_t>(64, 2));
        gif.addFrame(8, 8, std::vector<std::uint8_t>(64, 1));
        TGIFData data(gif.finish());
        QCOMPARE(data.frameCount(), 2);
        QCOMPARE(data.drawingErrors(),
                 QStringList{QStringLiteral("L'índex 7 està fora del marge [0..3]")});
        QCOMPARE(data.frames()[0].bitmap().pixel(0, 0), kFour[2]);
    }

    void everyParseErrorLeavesNoFrames()
    {
        const std::vector<std::uint8_t> px = {0, 1, 2, 3};
        GifBuilder base(2, 2, kFour);
        base.addFrame(2, 2, px);

        GifBuilder badSeparator(2, 2, kFour);
        badSeparator.addFrame(2, 2, px);
        badSeparator.addRaw("*");
        QCOMPARE(parseErrorOf(badSeparator.finish()),
                 QStringLiteral("El separador del format GIF és invàlid $2A"));

        GifBuilder bad(2, 2, kFour);
        bad.addRaw(QByteArray(1, char(0xE7)));
        QCOMPARE(parseErrorOf(bad.finish()),
                 QStringLiteral("El separador del format GIF és invàlid $E7"));

        for (int size : {0, 1, 10, 12}) {
            GifBuilder g(2, 2, kFour);
            g.addRawFrame(2, 2, size, GifBuilder::lzwEncode(px, 2));
            QCOMPARE(parseErrorOf(g.finish()),
                     QStringLiteral("La mida del codi LZW és invàlid: %1").arg(size));
        }

        // Code 7 right after the clear code of a 2-bit stream is neither known nor next.
        GifBuilder unknown(2, 2, kFour);
        unknown.addRawFrame(2, 2, 2, QByteArray("\x3C\x00", 2)); // clear (4), then 7
        QCOMPARE(parseErrorOf(unknown.finish()), QStringLiteral("Format de l'stream és invàlid"));

        GifBuilder clearEnd(2, 2, kFour);
        clearEnd.addRawFrame(2, 2, 2, QByteArray("\x2C", 1)); // clear (4), end (5)
        QCOMPARE(parseErrorOf(clearEnd.finish()), QStringLiteral("Format de l'stream és invàlid"));

        const auto noisy = randomIndices(64 * 64, 256, 11);
        GifBuilder overflow(64, 64, kFour);
        overflow.addRawFrame(64, 64, 8, GifBuilder::lzwEncode(noisy, 8, false));
        QCOMPARE(parseErrorOf(overflow.finish()),
                 QStringLiteral("S'ha produït un desbordament (overflow) de la mida del codi"));
        // The same pixels with the clear code decode.
        GifBuilder cleared(64, 64, kFour);
        cleared.addRawFrame(64, 64, 8, GifBuilder::lzwEncode(noisy, 8, true));
        QCOMPARE(TGIFData(cleared.finish()).frameCount(), 1);
    }

    void truncatedAndForeignFilesHaveNoFrames()
    {
        GifBuilder gif(20, 20, kFour);
        gif.addFrame(20, 20, randomIndices(400, 4, 5));
        const QByteArray whole = gif.finish();
        for (qsizetype cut :
             {qsizetype(0), qsizetype(5), qsizetype(12), qsizetype(20), whole.size() - 4})
            QCOMPARE(TGIFData(whole.left(cut)).frameCount(), 0);
        QCOMPARE(TGIFData("PNG\r\n\x1a\nxxxxxxxxxx").frameCount(), 0);
        // Without the trailer the complete frames are kept.
        QCOMPARE(TGIFData(whole.left(whole.size() - 1)).frameCount(), 1);
    }

    void hugeDimensionsAreRefusedBeforeAllocating()
    {
        GifBuilder gif(30000, 30000, kFour);
        gif.addFrame(2, 2, {0, 1, 2, 3});
        // Patch the descriptor to claim 30000 x 30000.
        QByteArray bytes = gif.finish();
        const qsizetype d = bytes.indexOf(char(0x2C), 13 + 12);
        bytes[d + 5] = char(30000 & 0xFF);
        bytes[d + 6] = char(30000 >> 8);
        bytes[d + 7] = char(30000 & 0xFF);
        bytes[d + 8] = char(30000 >> 8);
        TGIFData data(bytes);
        QCOMPARE(data.frameCount(), 0);
        QVERIFY(data.parseError().contains(QStringLiteral("massa gran")));
        QCOMPARE(data.screenWidth(), 30000);
    }

    void lzwStreamThatEndsEarlyKeepsWhatItDecoded()
    {
        std::vector<std::uint8_t> px(100, 0);
        for (int i = 0; i < 100; ++i)
            px[size_t(i)] = std::uint8_t(i % 4);
        const QByteArray codes = GifBuilder::lzwEncode(px, 2);
        std::vector<std::uint8_t> out(100, 9);
        const QString err =
            decodeGifLzw(2, reinterpret_cast<const std::uint8_t *>(codes.constData()),
                         codes.size() / 2, out.data(), 100);
        QVERIFY(err.isEmpty());
        QCOMPARE(out[0], std::uint8_t(0));
        QCOMPARE(out[99], std::uint8_t(9)); // not reached
        // More pixels in the stream than the frame holds: the rest is dropped.
        std::vector<std::uint8_t> shortOut(10);
        QVERIFY(decodeGifLzw(2, reinterpret_cast<const std::uint8_t *>(codes.constData()),
                             codes.size(), shortOut.data(), 10)
                    .isEmpty());
        QCOMPARE(shortOut, std::vector<std::uint8_t>(px.begin(), px.begin() + 10));
    }

    void framesRefuseOutsideChanges()
    {
        GifBuilder gif(2, 2, kFour);
        gif.addFrame(2, 2, {0, 1, 2, 3});
        TGIFData data(gif.finish());
        QCOMPARE(data.frames()[0].setBitmap(QImage(1, 1, QImage::Format_RGB32)),
                 QStringLiteral("No es pot modificar el bitmap TGIFFrame"));
        QCOMPARE(data.frames()[0].bitmap().size(), QSize(2, 2));
        QCOMPARE(data.globalColorTable().color(4).error(),
                 QStringLiteral("L'índex 4 està fora del marge [0..3]"));
        QCOMPARE(data.globalColorTable().color(-1).ok(), false);
        QCOMPARE(data.globalColorTable().color(3).value(), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(TGIFDataTest)
#include "TGIFDataTest.moc"
