// Time from "next" to the painted slide, with and without decoding the next picture ahead.
// Makes its own large JPEG pictures, shows them one after another in a slide area of 1280x800
// and prints the medians and their ratio.

#include "config/PresentationSettings.h"
#include "media/PicturePrefetcher.h"
#include "presentation/SlideRecord.h"
#include "slides/SlideScene.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSlides = 30;
const QSize kArea(1280, 800);

QString makePicture(const QString &folder, int i)
{
    QImage img(4000, 3000, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 4000, 3000);
    g.setColorAt(0, QColor::fromHsv((i * 37) % 360, 200, 230));
    g.setColorAt(1, QColor::fromHsv((i * 37 + 180) % 360, 200, 90));
    p.fillRect(img.rect(), g);
    p.setPen(QPen(Qt::white, 12));
    for (int k = 0; k < 60; ++k)
        p.drawEllipse(QPoint((k * 211 + i * 97) % 4000, (k * 137 + i * 53) % 3000), 150 + k,
                      90 + k);
    p.end();
    const QString path =
        QDir(folder).filePath(QStringLiteral("p%1.jpg").arg(i, 2, 10, QLatin1Char('0')));
    img.save(path, "JPEG", 88);
    return path;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : (v[v.size() / 2] + v[(v.size() - 1) / 2]) / 2;
}

SlideRecord slideFor(const QString &path, int i)
{
    SlideRecord s;
    s.FileName = path;
    s.Kind = skImage;
    s.NotePos = NotePosition(i % 4);
    s.PromptOr1stLine = QStringLiteral("Diapositiva %1").arg(i + 1);
    return s;
}

std::vector<double> run(const std::vector<QString> &paths, bool prefetch)
{
    PresentationSettings settings;
    SlideScene scene(settings);
    PicturePrefetcher prefetcher;
    QImage screen(kArea, QImage::Format_RGB32);
    std::vector<double> times;
    auto startNext = [&](int i) {
        if (!prefetch || i >= int(paths.size()))
            return;
        const SlideRecord next = slideFor(paths[std::size_t(i)], i);
        const QSize target = scene.imageClientRect(kArea, nullptr).size();
        prefetcher.prefetch(next.FileName, target, [settings, next](QSize natural) {
            return SlideScene::plannedPictureSize(settings, next, natural, kArea, 1.0);
        });
    };
    startNext(0);
    for (int i = 0; i < int(paths.size()); ++i) {
        // The viewer looks at the slide for a while: the worker has time to finish.
        prefetcher.wait();
        QElapsedTimer t;
        t.start();
        const SlideRecord slide = slideFor(paths[std::size_t(i)], i);
        const QSize target = scene.imageClientRect(kArea, nullptr).size();
        if (auto prepared = prefetcher.take(slide.FileName))
            scene.showImageSlide(slide, target, &prepared->picture, prepared->prescaled);
        else
            scene.showImageSlide(slide, target);
        {
            QPainter p(&screen);
            scene.paint(p, kArea, QGuiApplication::palette());
        }
        times.push_back(t.nsecsElapsed() / 1e6);
        startNext(i + 1);
    }
    return times;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    std::vector<QString> paths;
    for (int i = 0; i < kSlides; ++i)
        paths.push_back(makePicture(dir.path(), i));

    const double without = median(run(paths, false));
    const double with = median(run(paths, true));
    std::printf("next -> painted slide, %d slides of 4000x3000 JPEG in %dx%d\n", kSlides,
                kArea.width(), kArea.height());
    std::printf("  without prefetch: median %.1f ms\n", without);
    std::printf("  with prefetch:    median %.1f ms\n", with);
    std::printf("  ratio: %.1fx faster; aim under 16 ms with prefetch: %s\n",
                with > 0 ? without / with : 0.0, with < 16.0 ? "met" : "not met");
    return 0;
}
