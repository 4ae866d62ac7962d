#include "media/ui/TQTMovie.h"

#include "media/QuickTimeErrorText.h"
#include "media/ui/SettledMediaPlayer.h"
#include "media/ui/VideoBackend.h"

#include <QAudioOutput>
#include <QFile>
#include <QFileInfo>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QPainter>
#include <QResizeEvent>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

#include <utility>

namespace {

// The movie toolbox allowed file names of up to 255 characters.
constexpr int kMaxFileNameLength = 255;

const QString kOpenError = QStringLiteral("Error opening movie file");
const QString kReadError = QStringLiteral("Error reading movie from file");

// The toolbox code that best says what the backend found wrong.
int toolboxCode(QMediaPlayer::Error error)
{
    switch (error) {
    case QMediaPlayer::NoError: return 0;
    case QMediaPlayer::ResourceError: return QuickTimeError::NoMovieFound;
    case QMediaPlayer::FormatError: return QuickTimeError::MovieCorrupted;
    case QMediaPlayer::NetworkError:
    case QMediaPlayer::AccessDeniedError: return QuickTimeError::CannotReadDataSource;
    }
    return QuickTimeError::CannotReadDataSource;
}

} // namespace

TQTMovie::TQTMovie(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TQTMovie"));
    // Opaque: every pixel is painted, the bands and the empty control in Color.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    resize(50, 50);
}

TQTMovie::~TQTMovie()
{
    if (m_player) {
        disconnect(m_player, nullptr, this, nullptr);
        disconnect(m_sink, nullptr, this, nullptr);
        // A movie still opening is left to finish first: the player goes when it has.
        m_sink->setParent(m_player);
        m_output->setParent(m_player);
        SettledMediaPlayer::dispose(std::exchange(m_player, nullptr));
    }
}

bool TQTMovie::QuickTimeAvailable()
{
    return VideoBackend::available();
}

bool TQTMovie::checkAvailable()
{
    if (QuickTimeAvailable())
        return true;
    Q_EMIT OnQuickTimeNotAvailable();
    return false;
}

void TQTMovie::createPlayer()
{
    if (m_player)
        return;
    m_player = new QMediaPlayer(this);
    m_output = new QAudioOutput(this);
    m_sink = new QVideoSink(this);
    m_player->setAudioOutput(m_output);
    m_player->setVideoSink(m_sink);
    m_settled = new SettledMediaPlayer(*m_player, this);
    connect(m_sink, &QVideoSink::videoFrameChanged, this,
            [this](const QVideoFrame &frame) { takeFrame(frame); });
    connect(m_player, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error error, const QString &reason) {
                if (error != QMediaPlayer::NoError)
                    backendFailed(toolboxCode(error), reason);
            });
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this,
            [this](QMediaPlayer::MediaStatus status) {
                if (status == QMediaPlayer::EndOfMedia)
                    endOfMovie();
                else if (status == QMediaPlayer::InvalidMedia)
                    backendFailed(QuickTimeError::NoMovieFound, m_player->errorString());
            });
    connect(m_player, &QMediaPlayer::metaDataChanged, this, [this] {
        // The natural size, when the file tells it before the first frame.
        const QSize size = m_player->metaData().value(QMediaMetaData::Resolution).toSize();
        if (m_hasMovie && size.isValid() && !size.isEmpty() && size != m_natural) {
            m_natural = size;
            placeMovieBox();
        }
    });
}

Fallible<void> TQTMovie::setFileName(const QString &name)
{
    if (!checkAvailable())
        return Fallible<void>::failure(QString());
    dropMovie();
    if (name.isEmpty())
        return Fallible<void>::success();
    Fallible<void> loaded = LoadMovie(name);
    if (loaded.ok())
        m_fileName = name;
    return loaded;
}

Fallible<void> TQTMovie::checkMovieFile(const QString &name)
{
    if (name.isEmpty() || name.size() > kMaxFileNameLength)
        return Fallible<void>::failure(kOpenError);
    QFile file(name);
    if (!QFileInfo(name).isFile() || !file.open(QIODevice::ReadOnly))
        return Fallible<void>::failure(kOpenError);
    // A file with nothing in it holds no movie; one with bytes is for the backend to read.
    if (file.size() == 0)
        return Fallible<void>::failure(kReadError);
    return Fallible<void>::success();
}

Fallible<void> TQTMovie::LoadMovie(const QString &name)
{
    if (!checkAvailable())
        return Fallible<void>::failure(QString());
    Fallible<void> usable = checkMovieFile(name);
    if (!usable.ok())
        return usable;
    const QFileInfo info(name);
    dropMovie();
    createPlayer();
    m_hasMovie = true;
    m_settled->open(QUrl::fromLocalFile(info.absoluteFilePath()), false);
    placeMovieBox();
    update();
    return Fallible<void>::success();
}

void TQTMovie::dropMovie()
{
    m_hasMovie = false;
    m_fileName.clear();
    if (m_settled)
        m_settled->open(QUrl(), false);
    m_natural = QSize(0, 0);
    m_frame = QImage();
    placeMovieBox();
    update();
}

void TQTMovie::PlayMovie()
{
    if (!checkAvailable())
        return;
    if (m_hasMovie)
        m_settled->play();
}

void TQTMovie::StopMovieAndRewind()
{
    if (!checkAvailable())
        return;
    if (!m_hasMovie)
        return;
    // Stopping rewinds; a movie still opening is at its beginning.
    m_settled->stop();
}

void TQTMovie::Rewind()
{
    if (!checkAvailable())
        return;
    if (m_hasMovie && !m_settled->opening())
        m_player->setPosition(0);
}

void TQTMovie::setKeepScale(bool keep)
{
    if (!checkAvailable())
        return;
    m_keepScale = keep;
    placeMovieBox();
    update();
}

void TQTMovie::setColor(const QColor &color)
{
    m_color = color;
    update();
}

bool TQTMovie::isPlaying() const
{
    return m_player && m_player->playbackState() == QMediaPlayer::PlayingState;
}

void TQTMovie::placeMovieBox()
{
    m_box = VideoGeometry::placeMovieBox(size(), m_natural, m_keepScale);
}

void TQTMovie::takeFrame(const QVideoFrame &frame)
{
    // A frame still on its way from a movie dropped since is not shown.
    if (!m_hasMovie || !frame.isValid())
        return;
    QImage image = frame.toImage();
    if (image.isNull())
        return;
    m_frame = std::move(image);
    if (m_frame.size() != m_natural) {
        m_natural = m_frame.size();
        if (AutoSize)
            resize(m_natural);
        placeMovieBox();
        update();
        return;
    }
    update(m_box.box);
}

void TQTMovie::endOfMovie()
{
    if (!m_hasMovie)
        return;
    if (Looping) {
        // Keeps playing from the beginning; the movie has not stopped.
        m_player->setPosition(0);
        m_player->play();
        return;
    }
    // Stopped where it ended, unless it goes back to the beginning.
    if (m_player->playbackState() == QMediaPlayer::PlayingState)
        m_player->pause();
    if (AutoRewind)
        m_player->setPosition(0);
    Q_EMIT OnStop();
}

void TQTMovie::backendFailed(int code, const QString &reason)
{
    // Reported once per movie: the backend may tell both an error and an invalid medium.
    if (!m_hasMovie)
        return;
    m_hasMovie = false;
    m_natural = QSize(0, 0);
    m_frame = QImage();
    placeMovieBox();
    update();
    QString text = QuickTimeErrorText(code);
    if (!reason.isEmpty())
        text += QStringLiteral(" (%1)").arg(reason);
    Q_EMIT OnMovieError(text);
}

void TQTMovie::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_hasMovie || !hasPicture()) {
        p.fillRect(rect(), m_color);
        return;
    }
    if (!m_box.band1.isEmpty()) {
        p.fillRect(m_box.band1, m_color);
        p.fillRect(m_box.band2, m_color);
    }
    if (m_frame.isNull()) {
        p.fillRect(m_box.box, m_color);
        return;
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(m_box.box, m_frame);
    p.end();
    Q_EMIT framePainted();
}

void TQTMovie::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeMovieBox();
    update();
}
