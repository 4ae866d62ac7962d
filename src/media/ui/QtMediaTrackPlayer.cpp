#include "media/ui/QtMediaTrackPlayer.h"

#include "files/Prompter.h"
#include "media/ui/SettledMediaPlayer.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

QtMediaTrackPlayer::QtMediaTrackPlayer(Prompter &prompter, QObject *parent)
    : QObject(parent), m_prompter(prompter)
{
    m_player = new QMediaPlayer(this);
    m_output = new QAudioOutput(this);
    m_player->setAudioOutput(m_output);
    connect(m_player, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error error, const QString &text) {
                if (error != QMediaPlayer::NoError)
                    reportError(text);
            });
    m_settled = new SettledMediaPlayer(*m_player, this);
}

QtMediaTrackPlayer::~QtMediaTrackPlayer()
{
    // No error reports while the window goes away.
    disconnect(m_player, nullptr, this, nullptr);
    // A file still opening is left to finish first: the player goes when it has.
    m_output->setParent(m_player);
    SettledMediaPlayer::dispose(m_player);
}

void QtMediaTrackPlayer::reportError(const QString &reason)
{
    if (m_type == DeviceType::CdAudio)
        m_prompter.ShowError(QStringLiteral("No es pot reproduir la pista %1 del CD d'àudio\r\n%2"
                                            "\r\nAquest sistema no pot llegir el CD (%3)")
                                 .arg(m_track)
                                 .arg(m_path, reason));
    else
        m_prompter.ShowError(
            QStringLiteral("No es pot reproduir l'arxiu\r\n%1\r\n(%2)").arg(m_path, reason));
}

void QtMediaTrackPlayer::open(const QString &path, DeviceType type, int track)
{
    m_path = path;
    m_type = type;
    m_track = track;
    if (type == DeviceType::CdAudio)
        m_settled->open(QUrl(QStringLiteral("cdda://%1").arg(track)), false);
    else
        m_settled->open(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()), false);
}

void QtMediaTrackPlayer::play()
{
    m_settled->play();
}

void QtMediaTrackPlayer::stop()
{
    m_settled->stop();
}

void QtMediaTrackPlayer::close()
{
    m_settled->open(QUrl(), false);
}

bool QtMediaTrackPlayer::isPlaying() const
{
    return m_player->playbackState() == QMediaPlayer::PlayingState;
}
