#pragma once

#include "presentation/SlideRecord.h"

#include <QObject>
#include <QPointer>
#include <QString>

class Prompter;
class QAudioOutput;
class QMediaPlayer;
class SettledMediaPlayer;
class SlideArea;
class TQTMovie;
class VideoSurface;
struct PresentationSettings;

// The AVI and movie slides of the main window. An AVI plays through a media player whose frames
// a video surface paints in the image panel's client area, fitted by the picture settings; a
// movie plays in a movie control that takes the image panel's place, letterboxed in the panel's
// start colour. A video the backend cannot play is reported through the prompter when the
// backend says so, and the run goes on: nothing here waits for the backend.
class VideoSlideView : public QObject
{
    Q_OBJECT
public:
    // The slide area must outlive the view (the video surface is its child).
    VideoSlideView(SlideArea &area, const PresentationSettings &settings, Prompter &prompter,
                   QObject *parent = nullptr);
    ~VideoSlideView() override;

    // Shows an skVideo or skMovie slide that the slide area has just shown (notes and panels)
    // and starts it.
    void showVideoSlide(const SlideRecord &slide);
    // Plays the video shown again from the beginning.
    void replay();
    // Stops the video shown; its picture stays.
    void stop();
    // Takes the video away: the movie control is freed, the AVI stopped and forgotten (every
    // slide change and the end of a run).
    void clear();
    void FreeMovie();
    // The picture settings changed: the AVI is fitted again, the movie takes the panel's colour.
    void settingsChanged();

    // What is shown now.
    enum class Showing { Nothing, Video, Movie };
    Showing showing() const { return m_showing; }
    VideoSurface *surface() const;
    TQTMovie *movie() const;
    QMediaPlayer *videoPlayer() const { return m_player; }

    // "No es pot reproduir el vídeo <path>" and the reason on the next line.
    static QString cannotPlayMessage(const QString &path, const QString &reason);

private:
    void showVideo(const SlideRecord &slide);
    void showMovie(const SlideRecord &slide);
    void createVideoPlayer();
    // Reported from the event loop, not from inside the backend's signal, and only while the
    // video it is about is still shown.
    void reportLater(const QString &path, const QString &reason);

    SlideArea &m_area;
    const PresentationSettings &m_settings;
    Prompter &m_prompter;
    Showing m_showing = Showing::Nothing;
    QString m_path;
    // Counts the videos shown, so a report about one taken away since is dropped.
    quint64 m_shownCount = 0;
    quint64 m_reported = 0; // the last video reported: one message each
    bool m_unavailableReported = false;
    QPointer<VideoSurface> m_surface; // a child of the slide area
    QMediaPlayer *m_player = nullptr;
    SettledMediaPlayer *m_settled = nullptr; // tells m_player what is wanted
    QAudioOutput *m_output = nullptr;
    QPointer<TQTMovie> m_movie;
};
