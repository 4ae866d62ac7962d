// How long an AVI slide takes from being shown to its first frame painted on the screen, against
// two references on the same machine: the media backend opening and loading the file alone, and
// decoding a PNG of the frame's size. Prints medians and ratios; asserts nothing.

#include "config/PresentationSettings.h"
#include "files/Prompter.h"
#include "media/ui/VideoSurface.h"
#include "player/ui/VideoSlideView.h"
#include "presentation/SlideRecord.h"
#include "slides/ui/SlideArea.h"
#include "support/VideoFixtures.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImageReader>
#include <QMediaPlayer>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRounds = 15;
constexpr int kTimeoutMs = 10000;

double median(std::vector<double> v)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Runs the event loop until `done` is signalled or the time runs out; the milliseconds taken
// from `started`, or -1 on a time-out.
double waitFor(const std::function<void(QEventLoop &)> &arm, const QElapsedTimer &started)
{
    QEventLoop loop;
    bool timedOut = false;
    QTimer::singleShot(kTimeoutMs, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    arm(loop);
    loop.exec();
    return timedOut ? -1 : double(started.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!VideoFixtures::available()) {
        std::fprintf(stderr, "ffmpeg is needed to make the video\n");
        return 1;
    }
    QTemporaryDir dir;
    const QString avi = dir.filePath(QStringLiteral("clip.avi"));
    if (!VideoFixtures::testPattern(avi, QSize(320, 240), 2.0)) {
        std::fprintf(stderr, "ffmpeg could not make the video\n");
        return 1;
    }
    const QString png = dir.filePath(QStringLiteral("frame.png"));
    VideoFixtures::referenceFrame(avi).save(png, "PNG");

    PresentationSettings settings;
    SlideArea area(settings);
    area.resize(900, 650);
    area.show();
    StderrPrompter prompter;
    VideoSlideView view(area, settings, prompter);
    SlideRecord slide;
    slide.FileName = avi;
    slide.Kind = skVideo;

    // Shown as the main window shows a slide: the slide area first, then the video view.
    std::vector<double> shown;
    double cold = -1;
    for (int i = 0; i < kRounds + 1; ++i) {
        view.clear();
        area.showSlide(slide);
        QElapsedTimer t;
        t.start();
        view.showVideoSlide(slide);
        const double ms = waitFor(
            [&](QEventLoop &loop) {
                QObject::connect(view.surface(), &VideoSurface::framePainted, &loop,
                                 &QEventLoop::quit);
            },
            t);
        if (i == 0) // the first round loads the backend's plug-ins
            cold = ms;
        else if (ms >= 0)
            shown.push_back(ms);
    }
    view.clear();

    std::vector<double> loaded;
    for (int i = 0; i < kRounds; ++i) {
        QMediaPlayer player;
        QElapsedTimer t;
        t.start();
        const double ms = waitFor(
            [&](QEventLoop &loop) {
                QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &loop,
                                 [&loop](QMediaPlayer::MediaStatus s) {
                                     if (s == QMediaPlayer::LoadedMedia ||
                                         s == QMediaPlayer::InvalidMedia)
                                         loop.quit();
                                 });
                player.setSource(QUrl::fromLocalFile(avi));
            },
            t);
        if (ms >= 0)
            loaded.push_back(ms);
    }

    std::vector<double> decoded;
    for (int i = 0; i < kRounds; ++i) {
        QElapsedTimer t;
        t.start();
        QImageReader reader(png);
        const QImage img = reader.read();
        decoded.push_back(double(t.nsecsElapsed()) / 1e6);
        if (img.isNull())
            return 1;
    }

    const double first = median(shown), load = median(loaded), decode = median(decoded);
    std::printf("AVI slide 320x240, %d rounds (medians)\n", kRounds);
    std::printf("  shown -> first frame painted: %8.2f ms  (target < 300 ms: %s)\n", first,
                first >= 0 && first < 300 ? "met" : "NOT met");
    std::printf("  the same, first time (backend plug-ins loaded): %.2f ms\n", cold);
    std::printf("  backend open+load alone:      %8.2f ms  ratio %.2f\n", load,
                load > 0 ? first / load : 0.0);
    std::printf("  PNG decode of the frame:      %8.3f ms  ratio %.1f\n", decode,
                decode > 0 ? first / decode : 0.0);
    std::printf("  rounds that timed out: %d\n", int(kRounds - shown.size()));
    return 0;
}
