// The plug-in's pure parts: block arithmetic, the device format, the WAV header, the 8-bit texts.

#include "audplug/AnsiText.h"
#include "audplug/PcmFormat.h"
#include "audplug/PluginIdentity.h"
#include "audplug/RiffWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class ApInternalsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void positionAdvancesByTheBlockLength()
    {
        const PcmFormat cd{2, 44100, 16};
        QCOMPARE(positionAfterBlock(0, 17640, cd), 100u);
        QCOMPARE(positionAfterBlock(5000, 17640, cd), 5100u);
        QCOMPARE(positionAfterBlock(0, 17639, cd), 99u); // truncated, as unsigned arithmetic is
        const PcmFormat mono{1, 22050, 16};
        QCOMPARE(positionAfterBlock(0, 44100, mono), 1000u);
        // Wraps like any unsigned 32-bit count.
        QCOMPARE(positionAfterBlock(0xFFFFFFFFu, 17640, cd), 99u);
    }

    void theDeviceIsCappedAt44100()
    {
        QCOMPARE(deviceFormatFor({2, 48000, 16}).sampleRate, 44100u);
        QCOMPARE(deviceFormatFor({2, 96000, 16}).sampleRate, 44100u);
        QCOMPARE(deviceFormatFor({1, 22050, 16}).sampleRate, 22050u);
        QCOMPARE(deviceFormatFor({1, 48000, 16}).channels, 1u);
        QCOMPARE((PcmFormat{2, 44100, 16}.bytesPerSecond()), 176400u);
        QCOMPARE((PcmFormat{1, 48000, 16}.blockAlign()), 2u);
    }

    void wavHeaderIsFortySixBytes()
    {
        const auto h = RiffWriter::header({1, 22050, 16}, 1000);
        const QByteArray b(reinterpret_cast<const char *>(h.data()), int(h.size()));
        QCOMPARE(b.size(), 46);
        QCOMPARE(b.left(4), QByteArray("RIFF"));
        QCOMPARE(b.mid(4, 4), QByteArray("\x0e\x04\x00\x00", 4)); // 38 + 1000
        QCOMPARE(b.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(b.mid(16, 4), QByteArray("\x12\x00\x00\x00", 4));
        QCOMPARE(
            b.mid(20, 16),
            QByteArray("\x01\x00\x01\x00\x22\x56\x00\x00\x44\xac\x00\x00\x02\x00\x10\x00", 16));
        QCOMPARE(b.mid(36, 2), QByteArray("\x00\x00", 2));
        QCOMPARE(b.mid(38, 8), QByteArray("data\xe8\x03\x00\x00", 8));
    }

    void wavWriterFillsInTheSizesOnClose()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("w.wav"));
        RiffWriter w;
        // An older file of that name stays whole until the new one is complete.
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        QVERIFY(w.create(path.toStdString(), {2, 48000, 16}));
        const QByteArray a(8196, 'a'), b(1000, 'b');
        QVERIFY(w.append(a.constData(), std::size_t(a.size())));
        QVERIFY(w.append(b.constData(), std::size_t(b.size())));
        QVERIFY(w.flush());
        QCOMPARE(QFileInfo(path).size(), 3);
        QVERIFY(w.close());
        QVERIFY(!w.isOpen());
        // No temporary file is left beside it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({QStringLiteral("w.wav")}));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray all = f.readAll();
        QCOMPARE(all.size(), 46 + 9196);
        const auto expect = RiffWriter::header({2, 48000, 16}, 9196);
        QCOMPARE(all.left(46), QByteArray(reinterpret_cast<const char *>(expect.data()), 46));
        QVERIFY(all.mid(46) == a + b);
        QVERIFY(!w.create("/nonexistent-folder/x.wav", {2, 44100, 16}));
        QVERIFY(!w.append("x", 1));
        // A writer dropped without closing (a stop) still leaves a whole file.
        {
            RiffWriter dropped;
            QVERIFY(dropped.create(dir.filePath(QStringLiteral("d.wav")).toStdString(),
                                   {1, 22050, 16}));
            QVERIFY(dropped.append(b.constData(), 10));
        }
        QCOMPARE(QFileInfo(dir.filePath(QStringLiteral("d.wav"))).size(), 46 + 10);
    }

    void textsInTheEightBitCodePage_data()
    {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<int>("max");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<bool>("converts");
        QTest::newRow("ascii") << QByteArray("Title") << 511 << QByteArray("Title") << true;
        QTest::newRow("latin") << QByteArray("Can\xc3\xa7\xc3\xb3") << 511
                               << QByteArray("Can\xe7\xf3") << true;
        QTest::newRow("euro and quotes") << QByteArray("\xe2\x82\xac \xe2\x80\x9cx\xe2\x80\x9d")
                                         << 511 << QByteArray("\x80 \x93x\x94") << true;
        QTest::newRow("greek stays utf-8")
            << QByteArray("\xce\xa9mega") << 511 << QByteArray("\xce\xa9mega") << true;
        QTest::newRow("cut in 1252")
            << QByteArray("\xc3\xa0\xc3\xa0\xc3\xa0") << 2 << QByteArray("\xe0\xe0") << true;
        QTest::newRow("cut on a character boundary")
            << QByteArray("a\xce\xa9\xce\xa9") << 4 << QByteArray("a\xce\xa9") << true;
        QTest::newRow("invalid") << QByteArray("\xff\xfe") << 511 << QByteArray() << false;
        QTest::newRow("cut short") << QByteArray("ab\xc3") << 511 << QByteArray() << false;
        QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << 511 << QByteArray() << false;
        QTest::newRow("overlong") << QByteArray("\xc0\xaf") << 511 << QByteArray() << false;
    }

    void textsInTheEightBitCodePage()
    {
        QFETCH(QByteArray, utf8);
        QFETCH(int, max);
        QFETCH(QByteArray, expected);
        QFETCH(bool, converts);
        const auto out = utf8ToAnsi(std::string_view(utf8.constData(), std::size_t(utf8.size())),
                                    std::size_t(max));
        QCOMPARE(out.has_value(), converts);
        if (out)
            QCOMPARE(QByteArray(out->data(), int(out->size())), expected);
    }

    void fileNameLengthCountsUtf16Units()
    {
        QCOMPARE(utf16Length("abc"), std::optional<std::size_t>(3));
        QCOMPARE(utf16Length("\xc3\xa7"), std::optional<std::size_t>(1));
        QCOMPARE(utf16Length("\xf0\x9f\x8e\xb5"), std::optional<std::size_t>(2));
        QVERIFY(!utf16Length("\x80"));
    }

    void containersByDemuxerName()
    {
        const PluginIdentity wma{"n", "*.wma", "a", 1, "asf"};
        const PluginIdentity ff{"n", "*.mp3", "a", 1, "mp3,ogg"};
        QVERIFY(wma.acceptsContainer("asf"));
        QVERIFY(!wma.acceptsContainer("mp3"));
        QVERIFY(!wma.acceptsContainer("asf_o"));
        QVERIFY(ff.acceptsContainer("ogg"));
        QVERIFY(ff.acceptsContainer("mov,mp4,mp3"));
        QVERIFY(!ff.acceptsContainer("wav"));
        QVERIFY(!ff.acceptsContainer(""));
    }
};

QTEST_GUILESS_MAIN(ApInternalsTest)
#include "ApInternalsTest.moc"
