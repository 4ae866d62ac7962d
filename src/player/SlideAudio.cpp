#include "player/SlideAudio.h"

#include "files/FileNames.h"
#include "files/Prompter.h"
#include "media/MediaTrackPlayer.h"
#include "media/TAuPlayerMan.h"
#include "media/TAuSException.h"

namespace {

constexpr const char *kPluginExtensions[] = {".mp3", ".mp2", ".mp1", ".ogg", ".wma"};
constexpr int kPluginBuffers = 8;
constexpr int kPluginBufferSize = 8196; // as the player always asked, not 8192

QString dottedExtension(const QString &path)
{
    const QString ext = fileExtension(path);
    return ext.isEmpty() ? QStringLiteral(".") : QLatin1Char('.') + ext;
}

} // namespace

SlideAudio::SlideAudio(TAuPlayerMan &players, MediaTrackPlayer &media, Prompter &prompter)
    : m_players(players), m_media(&media), m_prompter(prompter)
{}

bool SlideAudio::playsThroughPlugin(const QString &path)
{
    const QString ext = dottedExtension(path).toLower();
    for (const char *e : kPluginExtensions)
        if (ext == QLatin1String(e))
            return true;
    return false;
}

int SlideAudio::cdTrackNumber(const QString &path)
{
    return fileNameWithoutExt(path).mid(5, 2).toInt();
}

void SlideAudio::reportFailure(const QString &text)
{
    m_prompter.ShowError(text);
}

void SlideAudio::startPlugin(TAuPlayer &p)
{
    // A finished or stopped stream is made ready first; a playing one starts over.
    int mode = p.PlayerMode();
    if (mode == 3 || mode == 1) {
        p.InitStream();
        mode = p.PlayerMode();
    }
    if (mode == 2)
        p.Play();
    else if (mode == 4)
        p.SetPosition(0);
}

void SlideAudio::PlaySlideAudio(const QString &path, bool repeat)
{
    RepeatAudio = repeat;
    // One track at a time: whatever plays now, plug-in or media player, stops.
    StopSlideAudio();
    if (playsThroughPlugin(path)) {
        TAuPlayer *p = m_players.FindPlayer(dottedExtension(path));
        if (!p) {
            reportFailure(QStringLiteral("No es pot tocar\r\n%1\r\nNo hi ha un decodificador per "
                                         "aquest tipus d'arxiu")
                              .arg(path));
            return;
        }
        AudioByPlugin = true;
        AudioPlayer = p;
        try {
            if (p->PlayerMode() != 0)
                p->Close();
            p->setBuffersCount(kPluginBuffers);
            p->setBufferSize(kPluginBufferSize);
            p->setInputName(path);
            p->Open();
            p->InitStream();
            startPlugin(*p);
        } catch (const TAuSException &e) {
            reportFailure(e.Message());
        }
        return;
    }
    AudioByPlugin = false;
    m_media->close();
    const bool cd = dottedExtension(path).toLower() == QLatin1String(".cda");
    m_media->open(
        path, cd ? MediaTrackPlayer::DeviceType::CdAudio : MediaTrackPlayer::DeviceType::Automatic,
        cd ? cdTrackNumber(path) : 0);
    m_media->play();
}

void SlideAudio::StopSlideAudio()
{
    if (AudioByPlugin && AudioPlayer) {
        try {
            if (AudioPlayer->PlayerMode() == 4) {
                AudioPlayer->Stop();
                AudioPlayer->InitStream(); // ready to start again
            }
        } catch (const TAuSException &e) {
            reportFailure(e.Message());
        }
    } else {
        m_media->stop();
    }
}

void SlideAudio::MediaPlayerTakesOver()
{
    StopSlideAudio();
    RepeatAudio = false;
    AudioByPlugin = false;
}

void SlideAudio::idle()
{
    if (!AudioByPlugin || !AudioPlayer || !AudioPlayer->Initialized())
        return;
    try {
        if (AudioPlayer->PlayerMode() != 3)
            return;
        AudioPlayer->InitStream();
        if (RepeatAudio && AudioPlayer->PlayerMode() == 2) {
            RepeatAudio = false;
            AudioPlayer->Play();
        }
    } catch (const TAuSException &e) {
        RepeatAudio = false;
        reportFailure(e.Message());
    }
}
