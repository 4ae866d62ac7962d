#pragma once

#include "files/Fallible.h"
#include "media/VideoGeometry.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

class QAudioOutput;
class QMediaPlayer;
class SettledMediaPlayer;
class QVideoFrame;
class QVideoSink;

// The movie control: plays one movie file inside its own area and paints the picture itself,
// letterboxed in `Color` with KeepScale. A movie that stops by itself (not looping) says so with
// OnStop. Every operation first checks that the movie player is available; when it is not, the
// operation does nothing and OnQuickTimeNotAvailable fires.
class TQTMovie : public QWidget
{
    Q_OBJECT
public:
    // Opaque, black and 50 by 50 pixels.
    explicit TQTMovie(QWidget *parent = nullptr);
    ~TQTMovie() override;

    // The movie player's availability, decided once when first asked.
    static bool QuickTimeAvailable();

    // Setting the name drops the movie held and loads the named one ("" loads nothing). The
    // name is kept only when the movie opened.
    QString FileName() const { return m_fileName; }
    Fallible<void> setFileName(const QString &name);
    // Opens a movie file and holds it, ready to play. Fails with "Error opening movie file" when
    // the file cannot be opened (missing, unreadable, a name over 255 characters) and "Error
    // reading movie from file" when it holds no movie; a failure with an empty message means the
    // player is not available (OnQuickTimeNotAvailable has fired). Whatever the backend finds
    // wrong after that comes later, through OnMovieError.
    Fallible<void> LoadMovie(const QString &name);
    // The checks LoadMovie makes before the backend reads the file, with the same messages.
    static Fallible<void> checkMovieFile(const QString &name);
    void PlayMovie();
    void StopMovieAndRewind();
    void Rewind();

    bool AutoRewind = true; // back to the beginning when the movie stops by itself
    bool Looping = false;   // start again from the beginning at the end
    bool AutoSize = false;  // the control takes the movie's natural size

    bool KeepScale() const { return m_keepScale; }
    void setKeepScale(bool keep);
    QColor Color() const { return m_color; }
    void setColor(const QColor &color);

    bool hasMovie() const { return m_hasMovie; }
    // Natural size of the picture; (0, 0) for a movie with sound only or before the first frame.
    QSize naturalSize() const { return m_natural; }
    bool hasPicture() const { return m_natural.width() != 0; }
    const VideoGeometry::MovieBox &movieBox() const { return m_box; }
    bool isPlaying() const;
    QImage currentImage() const { return m_frame; }
    QMediaPlayer *mediaPlayer() const { return m_player; }

Q_SIGNALS:
    void OnStop();
    void OnQuickTimeNotAvailable();
    // The movie loaded cannot be played after all: the toolbox's text for the failure, with the
    // backend's own reason in brackets. The control then holds no movie.
    void OnMovieError(const QString &text);
    // A frame of the movie has been painted.
    void framePainted();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool checkAvailable();
    void createPlayer();
    void dropMovie();
    void placeMovieBox();
    void takeFrame(const QVideoFrame &frame);
    void endOfMovie();
    void backendFailed(int code, const QString &reason);

    QString m_fileName;
    QColor m_color = Qt::black;
    bool m_keepScale = false;
    bool m_hasMovie = false;
    QSize m_natural{0, 0};
    VideoGeometry::MovieBox m_box;
    QImage m_frame;
    QMediaPlayer *m_player = nullptr;
    QAudioOutput *m_output = nullptr;
    QVideoSink *m_sink = nullptr;
    SettledMediaPlayer *m_settled = nullptr; // tells m_player what is wanted
};
