#include "config/ProgramOptions.h"
#include "editors/EditorRules.h"
#include "editors/SlideListRows.h"
#include "presentation/SlideList.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;
using L = SlideListFixture;
using R = SlideListRows;

// The rules the file list editors share: miniatures, selections, changing a row's file or
// audio track, folders, and lists written by anyone read back unchanged.
class FileListRowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void miniatureLimits_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("question");
        QTest::addColumn<QString>("caption"); // "" = the picture
        QTest::newRow("big bmp") << u"a.BMP"_s << qint64(6000000) << int(skImage) << false
                                 << u"M. gran"_s;
        QTest::newRow("bmp within")
            << u"a.bmp"_s << qint64(5000000) << int(skImage) << false << QString();
        QTest::newRow("jpeg within")
            << u"a.jpg"_s << qint64(400000) << int(skImage) << false << QString();
        QTest::newRow("big jpeg") << u"a.jpg"_s << qint64(500001) << int(skImage) << false
                                  << u"M. gran"_s;
        QTest::newRow("bmp size is not a jpeg's")
            << u"a.png"_s << qint64(600000) << int(skImage) << false << u"M. gran"_s;
        QTest::newRow("title") << QString() << qint64(0) << int(skTitle) << false << u"Títol"_s;
        QTest::newRow("question") << QString() << qint64(0) << int(skTitle) << true << u"Preg."_s;
        QTest::newRow("web") << u"a.htm"_s << qint64(1) << int(skWeb) << false << u"P. Web"_s;
        QTest::newRow("mov") << u"a.mov"_s << qint64(1) << int(skMovie) << false << u"Vídeo"_s;
        QTest::newRow("list") << u"a.sal"_s << qint64(1) << int(skPresentation) << false
                              << u"Llista"_s;
        QTest::newRow("program") << u"a.exe"_s << qint64(1) << int(skProgram) << false
                                 << u"Progr."_s;
        QTest::newRow("rtf") << u"a.rtf"_s << qint64(1) << int(skRichText) << false << u"Text"_s;
    }
    void miniatureLimits()
    {
        QFETCH(QString, path);
        QFETCH(qint64, size);
        QFETCH(int, kind);
        QFETCH(bool, question);
        QFETCH(QString, caption);
        const ProgramOptions o;
        const MiniatureContent c = miniatureContent(TSlideKind(kind), true, question, path, size,
                                                    o.MaxBmpFileSize, o.MaxOthersImgFileSize);
        if (caption.isEmpty()) {
            QCOMPARE(c.show, MiniatureContent::Show::Picture);
        } else {
            QCOMPARE(c.show, MiniatureContent::Show::Caption);
            QCOMPARE(c.caption, caption);
        }
        QCOMPARE(miniatureContent(TSlideKind(kind), false, question, path, size, 1, 1).show,
                 MiniatureContent::Show::Nothing);
    }

    void selectionErrors()
    {
        QCOMPARE(changeFileSelectionError(2, 1),
                 u"Heu de seleccionar un sol arxiu del plafó esquerra"_s);
        QCOMPARE(changeFileSelectionError(0, 3),
                 u"Heu de seleccionar algun arxiu del plafó esquerra"_s);
        QCOMPARE(changeFileSelectionError(1, 2),
                 u"Heu de seleccionar un sol arxiu del plafó dret"_s);
        QCOMPARE(changeFileSelectionError(1, 0),
                 u"Heu de seleccionar algun arxiu del plafó dret"_s);
        QVERIFY(changeFileSelectionError(1, 1).isEmpty());
        QCOMPARE(playLeftSelectionError(2),
                 u"Heu de seleccionar un sol arxiu del plafó esquerra"_s);
    }

    void changingFilesAndTracks()
    {
        SlideListFixture fx;
        FakePrompter p;
        ProgramOptions o;
        SlideListRows rows(p, o);
        const QString a = fx.picture(u"a.png"_s);
        const QString sal = fx.file(u"b.sal"_s, "x");
        rows.loadLines({L::line(a, u"XPx10y20"_s, u"q"_s, u"*a|b"_s), L::line(QString(), u"O"_s, a),
                        L::line(fx.file(u"v.avi"_s, "x"))});
        // A slide list in place of a picture: the question goes, and so does the mark.
        QVERIFY(rows.changeFile(0, sal).isEmpty());
        QCOMPARE(rows.kindLetter(0), u"L"_s);
        QVERIFY(!rows.flag(0, R::PWithAnswer));
        QVERIFY(rows.text(0, R::AnswersOrNextLines).isEmpty());
        QCOMPARE(rows.number(0, FileListRows::MarkX), -1);
        QVERIFY(rows.modified);
        // A missing file changes nothing; an open-file row takes no file.
        QVERIFY(rows.changeFile(0, fx.path(u"no.png"_s)).isEmpty());
        QCOMPARE(rows.kindLetter(0), u"L"_s);
        QCOMPARE(
            rows.changeFile(1, a),
            u"No es pot assignar, a una diapositiva d'obrir un arxiu, un programa a executar"_s);
        QCOMPARE(p.shown.back().kind, MsgKind::Error);
        // No track for a video, a list, a program or an open-file row.
        const QString wav = fx.file(u"s.wav"_s, "x");
        for (int r : {0, 1, 2})
            QCOMPARE(rows.changeAudio(r, wav),
                     u"Aquest tipus de diapositiva no pot tenir un arxiu de so associat"_s);
        rows.loadLines({L::line(a, QString(), QString(), QString(), QString(), QString())});
        QVERIFY(rows.changeAudio(0, wav).isEmpty());
        QCOMPARE(rows.audioPath(0), wav);
        rows.setCurrent(0);
        rows.controls.audioRepeat = true;
        rows.clearAudio(0);
        QVERIFY(rows.audioPath(0).isEmpty());
        QVERIFY(!rows.flag(0, R::AudioRepeat));
        QVERIFY(rows.writeLine(0).endsWith(u"\t"_s));
    }

    // Redirection after a copy from two folders into one: every row follows, files and tracks.
    void redirectionAndDirectoryChange()
    {
        SlideListFixture fx;
        QDir(fx.dir()).mkpath(u"x"_s);
        QDir(fx.dir()).mkpath(u"y"_s);
        QDir(fx.dir()).mkpath(u"z"_s);
        FakePrompter p;
        ProgramOptions o;
        SlideListRows rows(p, o);
        const QString x = fx.dir() + u"/x"_s, y = fx.dir() + u"/y"_s, z = fx.dir() + u"/z"_s;
        rows.loadLines({L::line(fx.picture(u"x/a.png"_s), QString(), QString(), QString(),
                                QString(), fx.file(u"y/s.wav"_s, "x")),
                        L::line(fx.picture(u"y/b.png"_s)),
                        L::line(QString(), QString(), u"títol"_s)});
        QCOMPARE(rows.transferFiles().size(), 3);
        rows.redirect({{x, z}, {y, z}});
        QCOMPARE(rows.text(0, FileListRows::Dir), z);
        QCOMPARE(rows.text(1, FileListRows::Dir), z);
        QCOMPARE(rows.text(0, R::AudioDir), z);
        QVERIFY(rows.text(2, FileListRows::Dir).isEmpty());
        // Changing the folder of rows tells whether their files are there.
        fx.picture(u"z/b.png"_s);
        rows.changeDirectory({0, 1, 2}, z + u"/"_s);
        QVERIFY(!rows.flag(0, FileListRows::Valid));
        QVERIFY(rows.flag(1, FileListRows::Valid));
        QVERIFY(!rows.flag(0, R::AudioValid));
        QCOMPARE(rows.text(1, FileListRows::Dir), z);
        QCOMPARE(rows.kindLetter(2), u"T"_s);
        QCOMPARE(rows.deleteNotFound(), 1);
        QCOMPARE(rows.count(), 2);
    }

    // Lines as other programs, other systems and hand editing leave them load and are written
    // back unchanged.
    void generatedListsRoundTrip()
    {
        QRandomGenerator random(20261210);
        const QStringList files = {QString(),  u"a.jpg"_s, u"C:\\f\\B.PNG"_s,   u"/x/c.rtf"_s,
                                   u"d.txt"_s, u"e.htm"_s, u"f.avi"_s,          u"g.mov"_s,
                                   u"h.sal"_s, u"i.exe"_s, u"sense extensio"_s, u"j.jpe"_s};
        const QStringList flags = {QString(), u"L"_s,   u"T"_s,   u"R"_s,    u"B"_s,
                                   u"H"_s,    u"HL"_s,  u"XPR"_s, u"RPX"_s,  u"N2T"_s,
                                   u"*3"_s,   u"*-2"_s, u"*x"_s,  u"x5y9"_s, u"ArAcAs"_s,
                                   u"OC"_s,   u"O"_s,   u"TT"_s,  u"XN1"_s};
        const QStringList texts = {QString(),
                                   u"una"_s,
                                   u"a|b|"_s,
                                   u"*s//*2|n//<1,5|m//"_s,
                                   QString(260, QLatin1Char('t')),
                                   u"\"cometes\""_s};
        const QStringList times = {QString(), u"0"_s, u"999"_s, u"-3"_s, u"lletres"_s, u"65536"_s};
        for (int list = 0; list < 40; ++list) {
            QStringList lines;
            const int n = 1 + int(random.bounded(30));
            for (int i = 0; i < n; ++i)
                lines << QStringList{files[random.bounded(files.size())],
                                     flags[random.bounded(flags.size())],
                                     texts[random.bounded(texts.size())],
                                     texts[random.bounded(texts.size())],
                                     times[random.bounded(times.size())],
                                     random.bounded(3) == 0 ? u"so\ttab.mp3"_s : QString()}
                             .join(QLatin1Char('\t'));
            SlideList original;
            original.lines = lines;
            const QByteArray bytes = original.toBytes();
            SlideList read;
            read.loadFromBytes(bytes);
            FakePrompter p;
            ProgramOptions o;
            SlideListRows rows(p, o);
            rows.loadLines(read.lines);
            read.lines = rows.writeLines();
            QCOMPARE(read.toBytes(), bytes);
        }
    }
};

QTEST_GUILESS_MAIN(FileListRowsTest)
#include "FileListRowsTest.moc"
