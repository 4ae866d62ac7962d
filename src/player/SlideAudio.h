#pragma once

#include <QString>

class MediaTrackPlayer;
class Prompter;
class TAuPlayer;
class TAuPlayerMan;

// The slide's audio track: compressed tracks through the audio plug-in whose extension list
// names them, every other track through the system media player; the repeat of a track that
// asked for it runs from the application's idle time.
class SlideAudio
{
public:
    SlideAudio(TAuPlayerMan &players, MediaTrackPlayer &media, Prompter &prompter);

    // Starts `path`; with `repeat` the track plays a second time once it has ended.
    void PlaySlideAudio(const QString &path, bool repeat);
    // Stops the track in use, through the plug-in or the media player.
    void StopSlideAudio();
    // The system media player starts a video with its own sound and becomes the audio in use.
    // The track in use stops first: a plug-in track left playing could no longer be reached by
    // StopSlideAudio, which from now on stops the media player.
    void MediaPlayerTakesOver();
    // Replaces the media player (tests use a fake).
    void setMediaPlayer(MediaTrackPlayer &media) { m_media = &media; }
    // The idle-time check: a finished plug-in track is made ready again, and started once more
    // when it was to be repeated.
    void idle();

    // Whether the file's extension plays through a plug-in (".mp3", ".mp2", ".mp1", ".ogg",
    // ".wma").
    static bool playsThroughPlugin(const QString &path);
    // The CD track of a ".cda" file: the number formed by characters 6 and 7 of its base name.
    static int cdTrackNumber(const QString &path);

    bool AudioByPlugin = false;
    TAuPlayer *AudioPlayer = nullptr; // the plug-in player in use
    bool RepeatAudio = false;

private:
    void startPlugin(TAuPlayer &player);
    void reportFailure(const QString &text);

    TAuPlayerMan &m_players;
    MediaTrackPlayer *m_media;
    Prompter &m_prompter;
};
