#include "media/ui/SettledMediaPlayer.h"

#include <QMediaPlayer>

#include <utility>

SettledMediaPlayer::SettledMediaPlayer(QMediaPlayer &player, QObject *parent)
    : QObject(parent), m_player(player)
{
    connect(&m_player, &QMediaPlayer::mediaStatusChanged, this,
            &SettledMediaPlayer::statusChanged);
    connect(&m_player, &QMediaPlayer::errorOccurred, this, &SettledMediaPlayer::statusChanged);
}

void SettledMediaPlayer::open(const QUrl &source, bool start)
{
    m_wanted = source;
    m_command = start ? Command::Restart : Command::None;
    apply();
}

void SettledMediaPlayer::play()
{
    ask(Command::Play);
}

void SettledMediaPlayer::restart()
{
    ask(Command::Restart);
}

void SettledMediaPlayer::pause()
{
    ask(Command::Pause);
}

void SettledMediaPlayer::stop()
{
    ask(Command::Stop);
}

void SettledMediaPlayer::ask(Command command)
{
    if (m_wanted.isEmpty())
        return;
    m_command = command;
    apply();
}

void SettledMediaPlayer::statusChanged()
{
    if (m_applying || !m_opening || m_player.mediaStatus() == QMediaPlayer::LoadingMedia)
        return;
    m_opening = false;
    // Carried out from the event loop, not from inside the backend's signal.
    QMetaObject::invokeMethod(this, &SettledMediaPlayer::apply, Qt::QueuedConnection);
}

void SettledMediaPlayer::apply()
{
    if (m_opening || m_applying)
        return;
    m_applying = true;
    const Command command = std::exchange(m_command, Command::None);
    if (m_given != m_wanted) {
        m_player.stop();
        m_given = m_wanted;
        m_player.setSource(m_wanted);
        if (!m_wanted.isEmpty()) {
            m_opening = m_player.mediaStatus() == QMediaPlayer::LoadingMedia;
            if (command == Command::Play || command == Command::Restart)
                m_player.play();
        }
    } else if (!m_wanted.isEmpty()) {
        switch (command) {
        case Command::None: break;
        case Command::Play: m_player.play(); break;
        case Command::Restart:
            m_player.stop();
            m_player.play();
            break;
        case Command::Pause: m_player.pause(); break;
        case Command::Stop: m_player.stop(); break;
        }
    }
    m_applying = false;
    // The player may have finished opening while it was being told (a file it refused at once).
    if (m_opening && m_player.mediaStatus() != QMediaPlayer::LoadingMedia) {
        m_opening = false;
        if (m_command != Command::None || m_given != m_wanted)
            QMetaObject::invokeMethod(this, &SettledMediaPlayer::apply, Qt::QueuedConnection);
    }
}
