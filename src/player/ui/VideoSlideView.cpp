#include "player/ui/VideoSlideView.h"

#include "config/PresentationSettings.h"
#include "files/Prompter.h"
#include "files/SystemColors.h"
#include "media/VideoGeometry.h"
#include "media/ui/SettledMediaPlayer.h"
#include "media/ui/TQTMovie.h"
#include "media/ui/VideoBackend.h"
#include "media/ui/VideoSurface.h"
#include "slides/ui/SlideArea.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QPainter>
#include <QUrl>

namespace {

const QString kNoBackend = QStringLiteral("No hi ha cap reproductor de vídeo en aquest sistema");

// The slide area paints nothing of its own where the video goes (not the file's name).
SlideScene::OtherContent nothingPainted(bool onImagePanel)
{
    SlideScene::OtherContent c;
    c.paint = [](QPainter &, const QRect &) {};
    c.onImagePanel = onImagePanel;
    return c;
}

} // namespace

VideoSlideView::VideoSlideView(SlideArea &area, const PresentationSettings &settings,
                               Prompter &prompter, QObject *parent)
    : QObject(parent), m_area(area), m_settings(settings), m_prompter(prompter)
{}

VideoSlideView::~VideoSlideView()
{
    FreeMovie();
    if (m_player) {
        disconnect(m_player, nullptr, this, nullptr);
        m_player->stop();
        m_player->setVideoSink(nullptr);
    }
}

VideoSurface *VideoSlideView::surface() const
{
    return m_surface.data();
}

TQTMovie *VideoSlideView::movie() const
{
    return m_movie.data();
}

QString VideoSlideView::cannotPlayMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("No es pot reproduir el vídeo %1\r\n%2").arg(path, reason);
}

void VideoSlideView::createVideoPlayer()
{
    if (m_player)
        return;
    m_surface = new VideoSurface(&m_area);
    m_surface->hide();
    m_surface->setFitter([this](QSize natural, QSize client) {
        return VideoGeometry::FitVideo(natural, m_settings.ImgAmpliationEnabled,
                                       m_settings.ImgAmpliation, client);
    });
    m_player = new QMediaPlayer(this);
    m_output = new QAudioOutput(this);
    m_player->setAudioOutput(m_output);
    m_player->setVideoSink(m_surface->videoSink());
    connect(m_player, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error error, const QString &reason) {
                if (error != QMediaPlayer::NoError && m_showing == Showing::Video)
                    reportLater(m_path, reason);
            });
    m_settled = new SettledMediaPlayer(*m_player, this);
}

void VideoSlideView::showVideoSlide(const SlideRecord &slide)
{
    clear();
    m_path = slide.FileName;
    m_unavailableReported = false;
    if (slide.Kind == skMovie)
        showMovie(slide);
    else
        showVideo(slide);
}

void VideoSlideView::showVideo(const SlideRecord &slide)
{
    m_showing = Showing::Video;
    m_area.scene().setOtherContent(nothingPainted(true));
    m_area.update();
    if (!VideoBackend::available()) {
        m_prompter.ShowError(cannotPlayMessage(slide.FileName, kNoBackend));
        return;
    }
    createVideoPlayer();
    m_surface->clear();
    m_surface->refit();
    m_area.setContentView(m_surface, SlideArea::ContentPlace::PanelClient);
    m_settled->open(QUrl::fromLocalFile(QFileInfo(slide.FileName).absoluteFilePath()), true);
}

void VideoSlideView::showMovie(const SlideRecord &slide)
{
    m_showing = Showing::Movie;
    m_area.scene().setOtherContent(nothingPainted(false));
    m_area.update();
    if (!m_movie) {
        m_movie = new TQTMovie(&m_area);
        connect(m_movie, &TQTMovie::OnMovieError, this,
                [this](const QString &text) { reportLater(m_path, text); });
        connect(m_movie, &TQTMovie::OnQuickTimeNotAvailable, this, [this] {
            // Every operation says it; the viewer is told once per slide.
            if (m_unavailableReported)
                return;
            m_unavailableReported = true;
            m_prompter.ShowError(cannotPlayMessage(m_path, kNoBackend));
        });
    }
    m_movie->setColor(colorFromTColor(m_settings.ImagePanel.ColorStart, m_area.palette()));
    m_movie->setKeepScale(true);
    m_area.setContentView(m_movie, SlideArea::ContentPlace::Panel);
    const Fallible<void> opened = m_movie->setFileName(slide.FileName);
    if (!opened.ok()) {
        // An empty message: the control has said that there is no movie player.
        if (!opened.error().isEmpty())
            m_prompter.ShowError(cannotPlayMessage(slide.FileName, opened.error()));
        return;
    }
    m_movie->PlayMovie();
}

void VideoSlideView::settingsChanged()
{
    if (m_surface)
        m_surface->refit();
    if (m_movie)
        m_movie->setColor(colorFromTColor(m_settings.ImagePanel.ColorStart, m_area.palette()));
}

void VideoSlideView::replay()
{
    switch (m_showing) {
    case Showing::Nothing: break;
    case Showing::Video:
        if (m_settled)
            m_settled->restart();
        break;
    case Showing::Movie:
        if (m_movie) {
            m_movie->StopMovieAndRewind();
            m_movie->Rewind();
            m_movie->PlayMovie();
        }
        break;
    }
}

void VideoSlideView::stop()
{
    if (m_showing == Showing::Video && m_settled)
        m_settled->pause();
    else if (m_showing == Showing::Movie && m_movie && m_movie->hasMovie())
        m_movie->StopMovieAndRewind();
}

void VideoSlideView::FreeMovie()
{
    if (!m_movie)
        return;
    if (m_area.contentView() == m_movie)
        m_area.setContentView(nullptr);
    delete m_movie.data();
    if (m_showing == Showing::Movie)
        m_showing = Showing::Nothing;
}

void VideoSlideView::clear()
{
    FreeMovie();
    if (m_settled)
        m_settled->open(QUrl(), false);
    if (m_surface) {
        m_surface->clear();
        if (m_area.contentView() == m_surface)
            m_area.setContentView(nullptr);
        m_surface->hide();
    }
    m_showing = Showing::Nothing;
    m_path.clear();
    ++m_shownCount;
}

void VideoSlideView::reportLater(const QString &path, const QString &reason)
{
    if (m_reported == m_shownCount)
        return;
    m_reported = m_shownCount;
    const quint64 shown = m_shownCount;
    QMetaObject::invokeMethod(
        this,
        [this, shown, path, reason] {
            if (shown == m_shownCount && m_showing != Showing::Nothing)
                m_prompter.ShowError(cannotPlayMessage(path, reason));
        },
        Qt::QueuedConnection);
}
