#pragma once

#include <QObject>
#include <QUrl>

class QMediaPlayer;

// Drives a media player so that it is never told to drop, replace or stop a file while it, or any
// other player of the program, is still opening one: the backend connects the file's streams on
// its own threads meanwhile, and a change from the window's thread then can deadlock both for
// good, or make a video sink starting elsewhere give up. What is asked meanwhile is kept, and
// once no player is opening a file the last wish is carried out. Nothing here waits: the window
// goes on at once.
class SettledMediaPlayer : public QObject
{
    Q_OBJECT
public:
    explicit SettledMediaPlayer(QMediaPlayer &player, QObject *parent = nullptr);
    ~SettledMediaPlayer() override;

    // The file to play (empty: none); `start` plays it from the beginning once open.
    void open(const QUrl &source, bool start);
    void play();
    void restart(); // from the beginning
    void pause();
    void stop();

    // Deletes `player` and its children: at once when no player is opening a file, otherwise
    // once none is, belonging to the application meanwhile. Whoever owned it has
    // disconnected from it and given it what the backend still uses (its video sink).
    static void dispose(QMediaPlayer *player);

    // The file asked for last.
    const QUrl &source() const { return m_wanted; }
    // Whether the player is still opening a file.
    bool opening() const { return m_opening; }

private:
    enum class Command { None, Play, Restart, Pause, Stop };
    void ask(Command command);
    void apply();
    void statusChanged();
    // Whether any player of the program is opening a file.
    static bool anyOpening();
    // Once none is: the players let go are deleted and every driver carries out what waits.
    static void carryOn();

    QMediaPlayer &m_player;
    QUrl m_wanted;
    QUrl m_given; // what the player was last given (it may spell it otherwise)
    Command m_command = Command::None;
    bool m_opening = false;
    bool m_applying = false; // inside a call into the player: its signals wait
};
