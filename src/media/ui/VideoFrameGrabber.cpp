#include "media/ui/VideoFrameGrabber.h"

#include "media/ui/VideoBackend.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

Fallible<QImage> VideoFrameGrabber::firstFrame(const QString &path, int timeoutMs)
{
    if (!VideoBackend::available())
        return Fallible<QImage>::failure(
            QStringLiteral("no hi ha cap reproductor de vídeo en aquest sistema"));
    if (!QFileInfo(path).isFile())
        return Fallible<QImage>::failure(QStringLiteral("l'arxiu no existeix"));

    enum class Outcome { Waiting, Frame, SoundOnly, Failed };
    Outcome outcome = Outcome::Waiting;
    QImage image;
    QString reason;
    QEventLoop loop;
    QMediaPlayer player;
    QVideoSink sink;
    // A sound track needs somewhere to go, or the backend stops with a stream error; muted,
    // nothing is heard while the frame is taken.
    QAudioOutput output;
    output.setMuted(true);
    player.setAudioOutput(&output);
    player.setVideoSink(&sink);
    QObject::connect(&sink, &QVideoSink::videoFrameChanged, &loop, [&](const QVideoFrame &f) {
        if (outcome != Outcome::Waiting || !f.isValid())
            return;
        image = f.toImage();
        if (!image.isNull()) {
            outcome = Outcome::Frame;
            loop.quit();
        }
    });
    QObject::connect(&player, &QMediaPlayer::errorOccurred, &loop,
                     [&](QMediaPlayer::Error error, const QString &text) {
                         if (outcome != Outcome::Waiting || error == QMediaPlayer::NoError)
                             return;
                         outcome = Outcome::Failed;
                         reason = text;
                         loop.quit();
                     });
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &loop,
                     [&](QMediaPlayer::MediaStatus status) {
                         if (outcome != Outcome::Waiting)
                             return;
                         // Loaded without a picture, or played to the end without one.
                         if ((status == QMediaPlayer::BufferedMedia && !player.hasVideo()) ||
                             status == QMediaPlayer::EndOfMedia) {
                             outcome = Outcome::SoundOnly;
                             loop.quit();
                         } else if (status == QMediaPlayer::InvalidMedia) {
                             outcome = Outcome::Failed;
                             reason = player.errorString();
                             loop.quit();
                         }
                     });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    player.setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    player.play();
    if (outcome == Outcome::Waiting)
        loop.exec();
    player.stop();
    switch (outcome) {
    case Outcome::Frame: return image;
    case Outcome::SoundOnly: return QImage();
    case Outcome::Failed:
        return Fallible<QImage>::failure(reason.isEmpty() ? QStringLiteral("format desconegut")
                                                          : reason);
    case Outcome::Waiting: break;
    }
    return Fallible<QImage>::failure(
        QStringLiteral("cap imatge del vídeo en %1 s").arg(timeoutMs / 1000.0));
}
