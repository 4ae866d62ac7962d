// The exported interface as a host sees it: text queries, handles, states and error codes.

#include "ApLibrary.h"
#include "support/AudioFixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

class ApInterfaceTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_wma, m_mp3;
    ApLibrary m_ap{QStringLiteral(AUDPLUG_PATH)};
    ApLibrary m_ff{QStringLiteral(FFPLUG_PATH)};

    QByteArray path(const QString &name) { return QFile::encodeName(m_dir.filePath(name)); }
    // A handle in state 1 on the WMA fixture.
    ApHandle opened()
    {
        ApHandle h = m_ap.InitModule();
        const QByteArray name = QFile::encodeName(m_wma);
        if (!m_ap.SetInputName(h, name.constData()) || !m_ap.Open(h))
            return h;
        return h;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(AudioFixtures::available());
        QVERIFY(m_ap.loaded());
        QVERIFY(m_ff.loaded());
        m_wma = m_dir.filePath(QStringLiteral("to.wma"));
        AudioFixtures::Tone t;
        t.seconds = 0.5;
        QVERIFY(AudioFixtures::encode(m_wma, t));
        m_mp3 = m_dir.filePath(QStringLiteral("to.mp3"));
        t.codec = QStringLiteral("libmp3lame");
        QVERIFY(AudioFixtures::encode(m_mp3, t));
    }

    void exportsAllFortyTwoNames()
    {
        const char *names[] = {"ApInitModule",
                               "ApDeInitModule",
                               "ApLastError",
                               "ApGetName",
                               "ApGetExts",
                               "ApGetAbout",
                               "ApGetVersion",
                               "ApSetInputMode",
                               "ApSetInputName",
                               "ApSetOutputName",
                               "ApSetOutputMode",
                               "ApSetOutputDev",
                               "ApSetDevNum",
                               "ApSetBuffers",
                               "ApSetLimits",
                               "ApSetWindow",
                               "ApUseOutCB",
                               "ApSetOutCB",
                               "ApSetInCB",
                               "ApSetPriority",
                               "ApUseEQ",
                               "ApHasEQ",
                               "ApEQ",
                               "ApSetExtras",
                               "ApCanPause",
                               "ApOpen",
                               "ApInitStream",
                               "ApPlay",
                               "ApPause",
                               "ApResume",
                               "ApStop",
                               "ApClose",
                               "ApGetPlayerMode",
                               "ApGetSize",
                               "ApGetPos",
                               "ApSetPos",
                               "ApCanSetPos",
                               "ApGetInfo1",
                               "ApGetInfo2",
                               "ApSetVolume",
                               "ApGetVolume",
                               "ApCanSetVolume"};
        QCOMPARE(int(std::size(names)), 42);
        for (ApLibrary *lib : {&m_ap, &m_ff})
            for (const char *n : names)
                QVERIFY2(lib->lib.resolve(n), n);
        // Priority and equaliser share one entry point.
        QVERIFY(m_ap.lib.resolve("ApUseEQ") == m_ap.lib.resolve("ApSetPriority"));
    }

    void textQueriesAskForTheLengthFirst()
    {
        ApInt len = 0;
        QCOMPARE(m_ap.GetName(nullptr, &len), 0);
        QCOMPARE(len, 19);
        char buf[256];
        std::memset(buf, 'x', sizeof buf);
        len = 19; // no room for the terminator
        QCOMPARE(m_ap.GetName(buf, &len), 0);
        QCOMPARE(buf[0], 'x');
        QCOMPARE(len, 19);
        len = 20;
        QCOMPARE(m_ap.GetName(buf, &len), 1);
        QCOMPARE(QByteArray(buf), QByteArray("Windows Media Audio"));
        QCOMPARE(len, 19);
        len = sizeof buf;
        QCOMPARE(m_ap.GetExts(buf, &len), 1);
        QCOMPARE(QByteArray(buf), QByteArray("*.wma"));
        len = sizeof buf;
        QCOMPARE(m_ap.GetAbout(buf, &len), 1);
        QVERIFY(QByteArray(buf).contains("Windows Media Audio"));
        QCOMPARE(m_ap.GetVersion(), 210);
        len = sizeof buf;
        QCOMPARE(m_ff.GetExts(buf, &len), 1);
        QCOMPARE(QByteArray(buf), QByteArray("*.mp3;*.mp2;*.mp1;*.ogg"));
        len = sizeof buf;
        QCOMPARE(m_ff.GetName(buf, &len), 1);
        QVERIFY(QByteArray(buf).contains("MPEG") && QByteArray(buf).contains("Vorbis"));
    }

    void invalidHandlesTouchNothing()
    {
        ApHandle h = m_ap.InitModule();
        QVERIFY(h);
        QCOMPARE(m_ap.SetOutputMode(h, apOutDirectSound), 0); // error 1 is now pending
        int junk = 0;
        for (ApHandle bad : {ApHandle(nullptr), ApHandle(&junk)}) {
            QCOMPARE(m_ap.LastError(bad), -1);
            QCOMPARE(m_ap.GetPlayerMode(bad), -1);
            QCOMPARE(m_ap.GetSize(bad), -1);
            QCOMPARE(m_ap.GetPos(bad), -1);
            QCOMPARE(m_ap.Open(bad), 0);
            QCOMPARE(m_ap.Play(bad), 0);
            QCOMPARE(m_ap.SetLimits(bad, 1, 2), 0);
            QCOMPARE(m_ap.CanPause(bad), 0);
            QCOMPARE(m_ap.DeInitModule(bad), 0);
        }
        QCOMPARE(m_ap.LastError(h), int(apeNotImplemented));
        QCOMPARE(m_ap.DeInitModule(h), 1);
        // A released handle is no longer live.
        QCOMPARE(m_ap.GetPlayerMode(h), -1);
    }

    void lastErrorIsReadOnce()
    {
        ApHandle h = m_ap.InitModule();
        QCOMPARE(m_ap.Play(h), 0);
        QCOMPARE(m_ap.LastError(h), int(apeWrongState));
        QCOMPARE(m_ap.LastError(h), 0);
        m_ap.DeInitModule(h);
    }

    void unsupportedModesAndFeatures()
    {
        ApHandle h = m_ap.InitModule();
        QCOMPARE(m_ap.SetOutputMode(h, apOutDirectSound), 0);
        QCOMPARE(m_ap.LastError(h), int(apeNotImplemented));
        QCOMPARE(m_ap.SetInputMode(nullptr, 0), 1); // files, whatever the handle
        QCOMPARE(m_ap.SetInputMode(h, 1), 0);
        QCOMPARE(m_ap.LastError(h), int(apeNotImplemented));
        QCOMPARE(m_ap.SetPriority(h, 3), 0);
        QCOMPARE(m_ap.LastError(h), int(apeNotImplemented));
        QCOMPARE(m_ap.UseEQ(h, 1), 0);
        QCOMPARE(m_ap.LastError(h), int(apeNotImplemented));
        QCOMPARE(m_ap.EQ(nullptr, 1, 2, 3), 0);
        QCOMPARE(m_ap.LastError(h), int(apeNotImplemented));
        ApBool eq = 1;
        QCOMPARE(m_ap.HasEQ(nullptr, &eq), 1);
        QCOMPARE(eq, 0);
        QCOMPARE(m_ap.SetExtras(h, 7), 1);
        QCOMPARE(m_ap.CanPause(h), 1);
        m_ap.DeInitModule(h);
    }

    void callsInTheWrongState()
    {
        ApHandle h = m_ap.InitModule();
        // State 0.
        QCOMPARE(m_ap.InitStream(h), 0);
        QCOMPARE(m_ap.LastError(h), int(apeWrongState));
        QCOMPARE(m_ap.Stop(h), 0);
        QCOMPARE(m_ap.LastError(h), int(apeWrongState));
        QCOMPARE(m_ap.Pause(h), 0);
        QCOMPARE(m_ap.LastError(h), int(apeWrongState));
        QCOMPARE(m_ap.CanSetPos(h), 0);
        QCOMPARE(m_ap.LastError(h), int(apeWrongState));
        TagBlock *tags = nullptr;
        QCOMPARE(m_ap.GetInfo2(h, &tags), 0);
        QCOMPARE(m_ap.LastError(h), int(apeWrongState));
        QCOMPARE(m_ap.GetSize(h), -1);
        QCOMPARE(m_ap.LastError(h), int(apeWrongState));
        QCOMPARE(m_ap.Close(h), 1); // any state
        // State 1.
        const QByteArray name = QFile::encodeName(m_wma);
        QCOMPARE(m_ap.SetInputName(h, name.constData()), 1);
        QCOMPARE(m_ap.Open(h), 1);
        QCOMPARE(m_ap.GetPlayerMode(h), int(apOpened));
        QCOMPARE(m_ap.Open(h), 0);
        QCOMPARE(m_ap.LastError(h), int(apeWrongState));
        QCOMPARE(m_ap.Play(h), 0); // right after opening
        QCOMPARE(m_ap.LastError(h), int(apeWrongState));
        QCOMPARE(m_ap.SetInputName(h, name.constData()), 0);
        QCOMPARE(m_ap.LastError(h), int(apeWrongState));
        QCOMPARE(m_ap.SetOutputDev(h, 0), 0);
        QCOMPARE(m_ap.LastError(h), int(apeWrongState));
        ApUInt pos = 0;
        QCOMPARE(m_ap.GetPos(h), -1);
        QCOMPARE(m_ap.LastError(h), int(apeWrongState));
        QCOMPARE(m_ap.CanSetPos(h), 1);
        QCOMPARE(m_ap.GetInfo2(h, &tags), 1);
        QVERIFY(tags);
        // State 2.
        QCOMPARE(m_ap.InitStream(h), 1);
        QCOMPARE(m_ap.GetPlayerMode(h), int(apReady));
        QCOMPARE(m_ap.Resume(h), 0);
        QCOMPARE(m_ap.LastError(h), int(apeWrongState));
        QCOMPARE(m_ap.SetPos(h, pos), 0);
        QCOMPARE(m_ap.LastError(h), int(apeWrongState));
        QVERIFY(m_ap.GetSize(h) >= 450 && m_ap.GetSize(h) <= 600);
        QCOMPARE(m_ap.Close(h), 1);
        QCOMPARE(m_ap.GetPlayerMode(h), int(apClosed));
        QCOMPARE(m_ap.DeInitModule(h), 1);
    }

    void streamInfoAsksForSixteenBytes()
    {
        ApHandle h = opened();
        StreamInfo info{};
        ApInt size = 15;
        QCOMPARE(m_ap.GetInfo1(h, &info, &size), 0);
        QCOMPARE(size, 16);
        QCOMPARE(m_ap.LastError(h), 0);
        size = 16;
        QCOMPARE(m_ap.GetInfo1(h, nullptr, &size), 0);
        QCOMPARE(size, 16);
        QCOMPARE(m_ap.GetInfo1(h, &info, &size), 0); // state 1: not ready yet
        QCOMPARE(size, 16);
        QCOMPARE(m_ap.LastError(h), int(apeWrongState));
        QCOMPARE(m_ap.InitStream(h), 1);
        size = 64;
        QCOMPARE(m_ap.GetInfo1(h, &info, &size), 1);
        QCOMPARE(size, 16);
        QCOMPARE(info.channels, 2u);
        QCOMPARE(info.sampleRate, 44100u);
        QCOMPARE(info.bitsPerSample, 16u);
        QVERIFY(info.bitrate > 0);
        m_ap.DeInitModule(h);
    }

    void limitsNeverEndBeforeTheyStart()
    {
        // The limits are seen through playback: (5000, 1000) starts and ends at 5000.
        const QString six = m_dir.filePath(QStringLiteral("six.wma"));
        AudioFixtures::Tone t;
        t.seconds = 6;
        QVERIFY(AudioFixtures::encode(six, t));
        ApHandle h = m_ap.InitModule();
        OutputSink sink;
        const QByteArray name = QFile::encodeName(six);
        QCOMPARE(m_ap.SetInputName(h, name.constData()), 1);
        QCOMPARE(m_ap.SetOutputMode(h, apOutCallback), 1);
        QCOMPARE(m_ap.SetOutCB(h, &OutputSink::output, &OutputSink::action, &sink), 1);
        QCOMPARE(m_ap.SetLimits(h, 5000, 1000), 1);
        QCOMPARE(m_ap.Open(h), 1);
        QCOMPARE(m_ap.InitStream(h), 1);
        QCOMPARE(m_ap.Play(h), 1);
        QCOMPARE(waitForMode(m_ap, h, apFinished), int(apFinished));
        // The first block already lies past the end: nothing is played.
        QCOMPARE(sink.total(), 0);
        m_ap.DeInitModule(h);
    }

    void openFailures()
    {
        ApHandle h = m_ap.InitModule();
        QCOMPARE(m_ap.Open(h), 0); // no input name
        QCOMPARE(m_ap.LastError(h), int(apeInput));

        QFile text(m_dir.filePath(QStringLiteral("text.wma")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("This is not a Windows Media Audio file, only text renamed.\n");
        text.close();
        QFile zero(m_dir.filePath(QStringLiteral("zero.wma")));
        QVERIFY(zero.open(QIODevice::WriteOnly));
        zero.close();
        QFile whole(m_wma);
        QVERIFY(whole.open(QIODevice::ReadOnly));
        QFile cut(m_dir.filePath(QStringLiteral("cut.wma")));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(whole.read(200)); // inside the header
        cut.close();
        const QList<QByteArray> bad = {
            path(QStringLiteral("text.wma")), path(QStringLiteral("zero.wma")),
            path(QStringLiteral("cut.wma")), path(QStringLiteral("missing.wma")),
            QFile::encodeName(m_mp3)}; // not in a WMA container
        for (const QByteArray &b : bad) {
            QCOMPARE(m_ap.SetInputName(h, b.constData()), 1);
            QCOMPARE(m_ap.Open(h), 0);
            QCOMPARE(m_ap.LastError(h), int(apeInput));
            QCOMPARE(m_ap.GetPlayerMode(h), int(apClosed));
        }
        // A name longer than 1023 characters cannot be converted.
        const QByteArray longName = "/tmp/" + QByteArray(1100, 'a') + ".wma";
        QCOMPARE(m_ap.SetInputName(h, longName.constData()), 1);
        QCOMPARE(m_ap.Open(h), 0);
        QCOMPARE(m_ap.LastError(h), int(apeInternal));
        QCOMPARE(m_ap.DeInitModule(h), 1);
    }

    void callbackOutputNeedsItsCallbacks()
    {
        ApHandle h = opened();
        QCOMPARE(m_ap.InitStream(h), 1);
        QCOMPARE(m_ap.SetOutputMode(h, apOutCallback), 1);
        QCOMPARE(m_ap.SetOutCB(h, nullptr, nullptr, nullptr), 1);
        QCOMPARE(m_ap.Play(h), 0);
        QCOMPARE(m_ap.LastError(h), int(apeNoCallback));
        // A host that refuses the start: the output cannot open.
        OutputSink sink;
        sink.refuseStart = true;
        QCOMPARE(m_ap.SetOutCB(h, &OutputSink::output, &OutputSink::action, &sink), 1);
        QCOMPARE(m_ap.Play(h), 0);
        QCOMPARE(m_ap.LastError(h), int(apeOutput));
        QCOMPARE(m_ap.GetPlayerMode(h), int(apReady));
        m_ap.DeInitModule(h);
    }

    void volumeOnlyOnTheDevice()
    {
        ApHandle h = opened();
        QCOMPARE(m_ap.SetOutputMode(h, apOutFile), 1);
        QCOMPARE(m_ap.SetVolume(h, 0x80008000u), 0);
        ApUInt v = 0;
        QCOMPARE(m_ap.GetVolume(h, &v), 0);
        ApBool separate = 0;
        QCOMPARE(m_ap.CanSetVolume(h, &separate), 0);
        QCOMPARE(m_ap.SetOutputMode(h, apOutCallback), 1);
        QCOMPARE(m_ap.SetVolume(h, 0x80008000u), 0);
        m_ap.DeInitModule(h);
    }
};

QTEST_GUILESS_MAIN(ApInterfaceTest)
#include "ApInterfaceTest.moc"
