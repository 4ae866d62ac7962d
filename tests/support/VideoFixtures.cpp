#include "support/VideoFixtures.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

QString ffmpeg()
{
    static const QString path = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    return path;
}

bool run(const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(ffmpeg(), QStringList{QStringLiteral("-hide_banner"), QStringLiteral("-nostdin"),
                                  QStringLiteral("-loglevel"), QStringLiteral("error"),
                                  QStringLiteral("-y")} +
                          args);
    if (!p.waitForStarted(10000) || !p.waitForFinished(60000))
        return false;
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

namespace VideoFixtures {

bool available()
{
    return !ffmpeg().isEmpty();
}

bool testPattern(const QString &path, QSize size, double seconds)
{
    return run({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                QStringLiteral("testsrc=size=%1x%2:rate=10").arg(size.width()).arg(size.height()),
                QStringLiteral("-t"), QString::number(seconds), QStringLiteral("-c:v"),
                QStringLiteral("mjpeg"), QStringLiteral("-q:v"), QStringLiteral("3"), path});
}

bool soundOnly(const QString &path, double seconds)
{
    return run({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                QStringLiteral("sine=frequency=440:duration=%1").arg(seconds),
                QStringLiteral("-c:a"), QStringLiteral("pcm_s16le"), path});
}

QImage referenceFrame(const QString &path)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("frame.png"));
    if (!run({QStringLiteral("-i"), path, QStringLiteral("-frames:v"), QStringLiteral("1"), png}))
        return QImage();
    return QImage(png).convertToFormat(QImage::Format_RGB32);
}

QList<QPoint> stillBarPoints(QSize size)
{
    // The pattern has eight bars across; their tops are above the circle and the counter.
    QList<QPoint> points;
    const int y = size.height() / 24;
    for (int i = 0; i < 8; ++i)
        points.append(QPoint(size.width() * (2 * i + 1) / 16, y));
    return points;
}

bool near(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

int matchingBars(const QImage &shot, const QRect &drawn, const QImage &reference, int tolerance)
{
    if (reference.isNull() || drawn.isEmpty())
        return 0;
    int matches = 0;
    for (const QPoint &p : stillBarPoints(reference.size())) {
        const QPoint at(drawn.left() + p.x() * drawn.width() / reference.width(),
                        drawn.top() + p.y() * drawn.height() / reference.height());
        if (!shot.rect().contains(at))
            continue;
        if (near(shot.pixelColor(at), reference.pixelColor(p), tolerance))
            ++matches;
    }
    return matches;
}

} // namespace VideoFixtures
