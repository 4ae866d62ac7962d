#pragma once

#include "media/MediaTrackPlayer.h"

#include <QObject>
#include <QString>

class Prompter;
class QAudioOutput;
class QMediaPlayer;
class SettledMediaPlayer;

// The system media player on Qt Multimedia. CD tracks open as "cdda://N", which plays where the
// platform can read audio CDs; elsewhere the failure is reported in Catalan.
class QtMediaTrackPlayer : public QObject, public MediaTrackPlayer
{
    Q_OBJECT
public:
    explicit QtMediaTrackPlayer(Prompter &prompter, QObject *parent = nullptr);
    ~QtMediaTrackPlayer() override;

    void open(const QString &path, DeviceType type, int track) override;
    void play() override;
    void stop() override;
    void close() override;

    QMediaPlayer *mediaPlayer() const { return m_player; }
    bool isPlaying() const;

private:
    void reportError(const QString &reason);

    Prompter &m_prompter;
    QMediaPlayer *m_player = nullptr;
    SettledMediaPlayer *m_settled = nullptr; // tells m_player what is wanted
    QAudioOutput *m_output = nullptr;
    QString m_path;
    DeviceType m_type = DeviceType::Automatic;
    int m_track = 0;
};
