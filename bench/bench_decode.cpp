// Decoding speed: our decoders against Qt's own QImageReader on the same bytes, and a JPEG decoded
// for a screen-sized target against the full decode. Prints medians and ratios; asserts nothing.

#include "media/JpegDecoder.h"
#include "media/PngDecoder.h"
#include "media/TGIFData.h"
#include "support/GifBuilder.h"
#include "support/JpegWriter.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double medianMs(int rounds, const std::function<void()> &run)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A photo-like picture: gradients with shapes and a little noise, so the coders have work to do.
QImage photo(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, QColor(30, 80, 160));
    g.setColorAt(0.5, QColor(220, 180, 60));
    g.setColorAt(1, QColor(40, 140, 70));
    p.fillRect(img.rect(), g);
    QRandomGenerator rng(1);
    for (int i = 0; i < 400; ++i) {
        p.setBrush(QColor(int(rng.bounded(256)), int(rng.bounded(256)), int(rng.bounded(256))));
        p.drawEllipse(int(rng.bounded(w)), int(rng.bounded(h)), 20 + int(rng.bounded(w / 8)),
                      20 + int(rng.bounded(h / 8)));
    }
    p.end();
    for (int y = 0; y < h; y += 3) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; x += 5)
            row[x] ^= rng.bounded(16);
    }
    return img;
}

QImage qtRead(const QByteArray &bytes, const char *format)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    return reader.read();
}

int qtReadAllFrames(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    int frames = 0;
    while (true) {
        const QImage frame = reader.read();
        if (frame.isNull())
            break;
        ++frames;
    }
    return frames;
}

QByteArray makeGif(int frames, int size)
{
    QList<QRgb> palette;
    for (int i = 0; i < 256; ++i)
        palette.append(qRgb(i, (i * 3) & 0xFF, 255 - i));
    GifBuilder gif(size, size, palette);
    gif.addApplication("NETSCAPE2.0", QByteArray("\x01\x00\x00", 3));
    std::vector<std::uint8_t> px(size_t(size) * size_t(size));
    for (int f = 0; f < frames; ++f) {
        // Moving bands with some texture: compressible like a real animation, not trivially so.
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                px[size_t(y) * size_t(size) + size_t(x)] =
                    std::uint8_t(((x + f * 3) / 8 + (y / 16) * 5 + ((x * y) >> 9)) & 0xFF);
        gif.addGraphicControl(4);
        gif.addFrame(size, size, px);
    }
    return gif.finish();
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);

    std::printf("Making the pictures...\n");
    const QByteArray jpeg = encodeJpeg(photo(6000, 4000), 90);
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter(&buffer, "png").write(photo(4000, 3000));
    }
    const QByteArray gif = makeGif(200, 500);
    std::printf("JPEG 6000x4000 %lld KB, PNG 4000x3000 %lld KB, GIF 200 x 500x500 %lld KB\n\n",
                qint64(jpeg.size() / 1024), qint64(png.size() / 1024), qint64(gif.size() / 1024));

    const int rounds = 5;
    const double jpegOurs = medianMs(rounds, [&]() { (void)decodeJpeg(jpeg); });
    const double jpegQt = medianMs(rounds, [&]() { (void)qtRead(jpeg, "jpeg"); });
    const double jpegScaled = medianMs(rounds, [&]() { (void)decodeJpeg(jpeg, QSize(1280, 800)); });
    const double pngOurs = medianMs(rounds, [&]() { (void)DecodePng(png, QString()); });
    const double pngQt = medianMs(rounds, [&]() { (void)qtRead(png, "png"); });
    const double gifOurs = medianMs(rounds, [&]() {
        TGIFData data(gif);
        if (data.frameCount() != 200)
            std::printf("GIF decode failed: %s\n", qPrintable(data.parseError()));
    });
    const double gifQt = medianMs(rounds, [&]() {
        if (qtReadAllFrames(gif) != 200)
            std::printf("Qt read fewer GIF frames\n");
    });

    std::printf("%-34s %10s %10s %8s\n", "median of 5 runs", "ours ms", "Qt ms", "ours/Qt");
    std::printf("%-34s %10.1f %10.1f %8.2f\n", "JPEG 6000x4000 full", jpegOurs, jpegQt,
                jpegOurs / jpegQt);
    std::printf("%-34s %10.1f %10.1f %8.2f\n", "PNG 4000x3000", pngOurs, pngQt, pngOurs / pngQt);
    std::printf("%-34s %10.1f %10.1f %8.2f\n", "GIF 200 frames 500x500", gifOurs, gifQt,
                gifOurs / gifQt);
    std::printf("\nJPEG for a 1280x800 target (scale %d/8): %.1f ms, full %.1f ms: %.1fx faster\n",
                jpegScaleFor(QSize(6000, 4000), QSize(1280, 800)), jpegScaled, jpegOurs,
                jpegOurs / jpegScaled);
    return 0;
}
