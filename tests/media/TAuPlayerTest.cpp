// The plug-in host: binding, the guarded-call and setter rules, discovery and FindPlayer, with
// the real plug-ins and with broken ones.

#include "media/TAuPlayerMan.h"
#include "media/TAuSException.h"
#include "support/AudioFixtures.h"
#include "support/AudioTestHelpers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

const QString kAudplug = QStringLiteral(AUDPLUG_PATH);
const QString kFfplug = QStringLiteral(FFPLUG_PATH);
QString stub(const char *name)
{
    return QStringLiteral(STUB_PLUGIN_DIR "/%1.apq").arg(QLatin1String(name));
}

// The code a call raises, or -1 when it raises nothing.
template <typename F> int raised(F f)
{
    try {
        f();
    } catch (const TAuSException &e) {
        return e.ErrorCode();
    }
    return -1;
}

int waitForMode(TAuPlayer &p, int mode)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 20000) {
        if (p.PlayerMode() == mode)
            return mode;
        QThread::msleep(5);
    }
    return -2;
}

} // namespace

class TAuPlayerTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_wma;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(AudioFixtures::available());
        m_wma = m_dir.filePath(QStringLiteral("host.wma"));
        AudioFixtures::Tone t;
        t.seconds = 1.5;
        QVERIFY(AudioFixtures::encode(m_wma, t));
    }

    void exceptionTexts()
    {
        QCOMPARE(TAuSException(0).Message(), QStringLiteral("No error"));
        QCOMPARE(TAuSException(2).Message(), QStringLiteral("Incorrect decoder mode"));
        QCOMPARE(TAuSException(5).Message(), QStringLiteral("Input stream failure"));
        QCOMPARE(TAuSException(6).Message(), QStringLiteral("Output device failure"));
        QCOMPARE(TAuSException(10).Message(),
                 QStringLiteral("Failed to load or initialize decoder module"));
        QCOMPARE(TAuSException(11).Message(), QStringLiteral("Module not initialized"));
        QCOMPARE(TAuSException(12).Message(), QStringLiteral("Unknown decoder error 12"));
        QCOMPARE(int(TAuSException(6).ErrorCode()), 6);
    }

    void withoutAModule()
    {
        TAuPlayer p;
        QVERIFY(!p.Initialized());
        QCOMPARE(p.ModuleName(), QStringLiteral("(Module not initialized)"));
        QCOMPARE(p.About(), QStringLiteral("(Module not initialized)"));
        QCOMPARE(p.Extensions(), QString());
        QCOMPARE(p.Version(), -1);
        QCOMPARE(raised([&] { p.Open(); }), 11);
        QCOMPARE(raised([&] { p.Play(); }), 11);
        QCOMPARE(raised([&] { p.PlayerMode(); }), 11);
        QCOMPARE(raised([&] { p.GetVolume(); }), 11);
        // Setters only store their value.
        QCOMPARE(raised([&] { p.setStartPos(500); }), -1);
        QCOMPARE(p.StartPos(), 500);
        QCOMPARE(raised([&] { p.setOutputMode(TAuSOutputMode::omDirectSound); }), -1);
        QCOMPARE(p.OutputMode(), TAuSOutputMode::omDirectSound);
        QCOMPARE(p.BuffersCount(), 8);
        QCOMPARE(p.BufferSize(), 16384);
    }

    void bindsARealPlugin()
    {
        TAuPlayer p;
        p.setPathToDLL(kAudplug);
        p.Init();
        QVERIFY(p.Initialized());
        QCOMPARE(p.ModuleName(), QStringLiteral("Windows Media Audio"));
        QCOMPARE(p.Extensions(), QStringLiteral("*.wma"));
        QCOMPARE(p.Version(), 210);
        QVERIFY(p.About().contains(QLatin1String("Windows Media Audio")));
        QVERIFY(!p.HasEqualizer());
        p.setUseEqualizer(true); // no equaliser: nothing is called, nothing stored
        QVERIFY(!p.UseEqualizer());
        p.setInitialized(false);
        QVERIFY(!p.Initialized());
        QCOMPARE(p.Version(), -1);
    }

    void brokenPluginsRaiseTheHostsCodes()
    {
        TAuPlayer missing;
        missing.setPathToDLL(m_dir.filePath(QStringLiteral("none.apq")));
        QCOMPARE(raised([&] { missing.Init(); }), 10);
        TAuPlayer noStop;
        noStop.setPathToDLL(stub("omitstop"));
        QCOMPARE(raised([&] { noStop.Init(); }), 10);
        QVERIFY(!noStop.Initialized());
        TAuPlayer initFails;
        initFails.setPathToDLL(stub("initfails"));
        QCOMPARE(raised([&] { initFails.Init(); }), 11);
        QVERIFY(!initFails.Initialized());
    }

    void quietFailuresRaiseOnlyInSetters()
    {
        // The stub fails every call and reports code 0.
        TAuPlayer p;
        p.setPathToDLL(stub("quiet"));
        p.Init();
        QCOMPARE(raised([&] { p.Stop(); }), -1); // a guarded call: silent
        QCOMPARE(raised([&] { p.Close(); }), -1);
        QCOMPARE(raised([&] { p.setInputName(QStringLiteral("x.wma")); }), 0); // "No error"
        QCOMPARE(p.InputName(), QString());
        QCOMPARE(raised([&] { p.setBufferSize(100); }), 0);
        QCOMPARE(p.BufferSize(), 16384);
        QCOMPARE(p.ModuleName(), QStringLiteral("Stub"));
    }

    void settersKeepTheirValueOnlyOnSuccess()
    {
        TAuPlayer p;
        p.setPathToDLL(kAudplug);
        p.Init();
        p.setOutputMode(TAuSOutputMode::omFile);
        QCOMPARE(raised([&] { p.setOutputMode(TAuSOutputMode::omDirectSound); }), 1);
        QCOMPARE(p.OutputMode(), TAuSOutputMode::omFile);
        QCOMPARE(p.LastError(), 1);
        QCOMPARE(raised([&] { p.setInputMode(TAuSInputMode::imCallback); }), 1);
        QCOMPARE(p.InputMode(), TAuSInputMode::imFile);
        // audplug has no priorities: the setter raises, Open ignores it (playsAFileToTheEndOnce).
        QCOMPARE(raised([&] { p.setPriority(4); }), 1);
        QCOMPARE(p.Priority(), 0);
    }

    void playsAFileToTheEndOnce()
    {
        TAuPlayer p;
        p.setPathToDLL(kAudplug);
        p.Init();
        const QString wav = m_dir.filePath(QStringLiteral("host.wav"));
        p.setOutputMode(TAuSOutputMode::omFile);
        p.setOutputName(wav);
        p.setInputName(m_wma);
        p.Open();
        QCOMPARE(p.PlayerMode(), 1);
        p.InitStream();
        QCOMPARE(p.PlayerMode(), 2);
        QVERIFY(p.Duration() >= 1450 && p.Duration() <= 1600);
        const StreamInfo info = p.StreamInformation();
        QCOMPARE(info.sampleRate, 44100u);
        // File output cannot set the volume: the plug-in answers false with code 0, silently.
        QCOMPARE(raised([&] { p.Play(); }), -1);
        QCOMPARE(waitForMode(p, 3), 3);
        QCOMPARE(p.PlayerMode(), 1);
        QCOMPARE(QFileInfo(wav).size(), 46 + AudioFixtures::referencePcm(m_wma).size());
        QCOMPARE(raised([&] { p.Play(); }), 2); // not ready: the stream is read again first
        p.Close();
        QCOMPARE(p.PlayerMode(), 0);
    }

    void startPosReachesThePluginAtPlay()
    {
        TAuPlayer p;
        // No module yet: only stored. (A start without an end would end where it starts.)
        p.setStartPos(1000);
        p.setEndPos(1300);
        p.setPathToDLL(kAudplug);
        p.Init();
        const QString wav = m_dir.filePath(QStringLiteral("start.wav"));
        p.setOutputMode(TAuSOutputMode::omFile);
        p.setOutputName(wav);
        p.setInputName(m_wma);
        p.Open();
        p.InitStream();
        p.Play();
        QCOMPARE(waitForMode(p, 3), 3);
        p.Close();
        // 300 ms are written, in blocks of 16384 bytes (93 ms).
        const qint64 data = QFileInfo(wav).size() - 46;
        QVERIFY2(data >= 3 * 16384 && data <= 4 * 16384, qPrintable(QString::number(data)));
    }

    void failuresOfARealPlugin()
    {
        TAuPlayer p;
        p.setPathToDLL(kAudplug);
        p.Init();
        p.setInputName(m_dir.filePath(QStringLiteral("missing.wma")));
        QCOMPARE(raised([&] { p.Open(); }), 5);
        p.setInputName(m_wma);
        p.Open();
        ScopedDefaultPcm noDevice("pelvar-no-such-device");
        p.setOutputDevNum(-1);
        p.InitStream();
        QCOMPARE(raised([&] { p.Play(); }), 6);
    }

    void discoveryDropsBrokenPlugins()
    {
        QTemporaryDir folder;
        QVERIFY(QFile::copy(kAudplug, folder.filePath(QStringLiteral("audplug.apq"))));
        QVERIFY(QFile::copy(kFfplug, folder.filePath(QStringLiteral("ffplug.apq"))));
        QVERIFY(QFile::copy(stub("omitstop"), folder.filePath(QStringLiteral("omitstop.apq"))));
        QVERIFY(QFile::copy(stub("initfails"), folder.filePath(QStringLiteral("initfails.apq"))));
        QFile text(folder.filePath(QStringLiteral("notes.apq")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a library");
        text.close();
        TAuPlayerMan man;
        QCOMPARE(man.AddPluginsIn(folder.path()), 2);
        QCOMPARE(man.Players().count(), 2);
        for (int i = 0; i < 2; ++i) {
            QVERIFY(man.Players().at(i).Initialized());
            QCOMPARE(man.Players().at(i).OutputDevNum(), -1);
            QCOMPARE(man.Players().at(i).OutputMode(), TAuSOutputMode::omMMSystem);
        }
        TAuPlayer *wma = man.FindPlayer(QStringLiteral(".wma"));
        QVERIFY(wma);
        QCOMPARE(wma->ModuleName(), QStringLiteral("Windows Media Audio"));
        QCOMPARE(man.FindPlayer(QStringLiteral(".WMA")), wma);
        QCOMPARE(man.FindPlayer(QStringLiteral(".wm")), wma); // anywhere in the list
        TAuPlayer *mp3 = man.FindPlayer(QStringLiteral(".Mp3"));
        QVERIFY(mp3 && mp3 != wma);
        QCOMPARE(man.FindPlayer(QStringLiteral(".ogg")), mp3);
        QCOMPARE(man.FindPlayer(QStringLiteral(".")), nullptr);
        QCOMPARE(man.FindPlayer(QStringLiteral(".wav")), nullptr);
        // An uninitialised player does not count.
        wma->DeInit();
        QCOMPARE(man.FindPlayer(QStringLiteral(".wma")), nullptr);
    }

    void thePluginListedFirstPlaysItsExtensions()
    {
        QTemporaryDir folder;
        QVERIFY(QFile::copy(kAudplug, folder.filePath(QStringLiteral("first.apq"))));
        QVERIFY(QFile::copy(kAudplug, folder.filePath(QStringLiteral("second.apq"))));
        const QStringList listed =
            QDir(folder.path()).entryList({QStringLiteral("*.apq")}, QDir::Files, QDir::Unsorted);
        TAuPlayerMan man;
        QCOMPARE(man.AddPluginsIn(folder.path()), 2);
        TAuPlayer *p = man.FindPlayer(QStringLiteral(".wma"));
        QVERIFY(p);
        QCOMPARE(QFileInfo(p->PathToDLL()).fileName(), listed.first());
        // Two copies of the same plug-in are two libraries with a module each.
        QCOMPARE(man.Players().at(0).PathToDLL(), folder.filePath(listed.at(0)));
        QCOMPARE(man.Players().at(1).PathToDLL(), folder.filePath(listed.at(1)));
        // Copies of the collection hold the properties, not the modules.
        TAuPlayers copy;
        copy = man.Players();
        QCOMPARE(copy.count(), 2);
        QCOMPARE(copy.at(1).PathToDLL(), man.Players().at(1).PathToDLL());
        QVERIFY(!copy.at(1).Initialized());
    }

    void onlyAudplugMeansNoMp3()
    {
        QTemporaryDir folder;
        QVERIFY(QFile::copy(kAudplug, folder.filePath(QStringLiteral("audplug.apq"))));
        TAuPlayerMan man;
        man.AddPluginsIn(folder.path());
        QCOMPARE(man.FindPlayer(QStringLiteral(".mp3")), nullptr);
    }
};

QTEST_GUILESS_MAIN(TAuPlayerTest)
#include "TAuPlayerTest.moc"
