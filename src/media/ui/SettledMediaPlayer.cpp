#include "media/ui/SettledMediaPlayer.h"

#include <QCoreApplication>
#include <QList>
#include <QMediaPlayer>
#include <QPointer>

#include <utility>

namespace {

// The drivers and the players let go: while any of them is opening a file, none is told anything
// (tearing one pipeline down blocks the window's thread, and a video sink starting meanwhile in
// another gives up: that video would stay blank).
struct Players
{
    QList<SettledMediaPlayer *> drivers;
    QList<QPointer<QMediaPlayer>> disposed;
};

Players &players()
{
    static Players p;
    return p;
}

} // namespace

SettledMediaPlayer::SettledMediaPlayer(QMediaPlayer &player, QObject *parent)
    : QObject(parent), m_player(player)
{
    players().drivers.append(this);
    connect(&m_player, &QMediaPlayer::mediaStatusChanged, this, &SettledMediaPlayer::statusChanged);
    connect(&m_player, &QMediaPlayer::errorOccurred, this, &SettledMediaPlayer::statusChanged);
}

SettledMediaPlayer::~SettledMediaPlayer()
{
    players().drivers.removeOne(this);
    // The others may have been waiting for this one.
    if (m_opening && QCoreApplication::instance())
        QMetaObject::invokeMethod(QCoreApplication::instance(), &SettledMediaPlayer::carryOn,
                                  Qt::QueuedConnection);
}

bool SettledMediaPlayer::anyOpening()
{
    for (const SettledMediaPlayer *d : std::as_const(players().drivers))
        if (d->m_opening)
            return true;
    for (const QPointer<QMediaPlayer> &p : std::as_const(players().disposed))
        if (p && p->mediaStatus() == QMediaPlayer::LoadingMedia)
            return true;
    return false;
}

void SettledMediaPlayer::carryOn()
{
    if (anyOpening())
        return;
    Players &all = players();
    const QList<QPointer<QMediaPlayer>> disposed = std::exchange(all.disposed, {});
    for (const QPointer<QMediaPlayer> &p : disposed) {
        if (p) {
            p->stop();
            delete p.data();
        }
    }
    const QList<SettledMediaPlayer *> drivers = all.drivers;
    for (SettledMediaPlayer *d : drivers)
        if (all.drivers.contains(d))
            d->apply(); // the first to open a file makes the rest wait again
}

void SettledMediaPlayer::dispose(QMediaPlayer *player)
{
    if (!player)
        return;
    if (!anyOpening() && player->mediaStatus() != QMediaPlayer::LoadingMedia) {
        player->stop();
        delete player;
        return;
    }
    player->setParent(QCoreApplication::instance());
    players().disposed.append(player);
    connect(player, &QMediaPlayer::mediaStatusChanged, QCoreApplication::instance(),
            &SettledMediaPlayer::carryOn, Qt::QueuedConnection);
    connect(player, &QMediaPlayer::errorOccurred, QCoreApplication::instance(),
            &SettledMediaPlayer::carryOn, Qt::QueuedConnection);
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
    // Carried out from the event loop, not from inside the backend's signal; the other players
    // may have been waiting for this one.
    QMetaObject::invokeMethod(QCoreApplication::instance(), &SettledMediaPlayer::carryOn,
                              Qt::QueuedConnection);
}

void SettledMediaPlayer::apply()
{
    if (m_applying || anyOpening())
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
        QMetaObject::invokeMethod(QCoreApplication::instance(), &SettledMediaPlayer::carryOn,
                                  Qt::QueuedConnection);
    }
}
