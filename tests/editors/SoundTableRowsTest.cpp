#include "editors/SoundTableRows.h"
#include "config/ProgramOptions.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"
#include "support/Utf8Strings.h"
#include "tables/MeaningTables.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList column(const SoundTableRows &rows, int field)
{
    QStringList out;
    for (int r = 0; r < rows.count(); ++r)
        out << rows.text(r, field);
    return out;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void addEntry(MeaningTable &t, const QString &file, int x, int y, const QString &audio,
              const QString &meaning)
{
    MemTable::Record r = t.table.emptyRecord();
    (void)t.table.setField(r, 0, file.isEmpty() ? QVariant() : QVariant(file));
    (void)t.table.setField(r, 1, x);
    (void)t.table.setField(r, 2, y);
    (void)t.table.setField(r, 3, audio.isEmpty() ? QVariant() : QVariant(audio));
    (void)t.table.setField(r, 4, meaning);
    QVERIFY(!t.table.append(r));
}

QString notFound(const QString &path)
{
    return u"no s'ha trobat\r\n(%1)"_s.arg(path);
}

} // namespace

// The images/sounds table editor's rules on its rows.
class SoundTableRowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadingMarksFilesAndChoosesTheMode()
    {
        SlideListFixture fx;
        const QString pic = fx.picture(u"gat.png"_s);
        const QString track = fx.file(u"miol.wav"_s, QByteArray("RIFF"));
        MeaningTable t(MeaningKind::Sounds);
        t.fileName = fx.path(u"animals.sml"_s);
        addEntry(t, pic, 3, 4, track, u"Gat"_s);
        addEntry(t, fx.path(u"perdut.png"_s), -1, -1, fx.path(u"perdut.wav"_s), u"Gos"_s);
        addEntry(t, QString(), -1, -1, track, u"Miol"_s);
        FakePrompter p;
        ProgramOptions o;
        SoundTableRows rows(p, o);
        rows.loadFrom(t);
        QCOMPARE(rows.count(), 3);
        QCOMPARE(rows.current(), 2);
        QCOMPARE(column(rows, FileListRows::Slide), sl({"I", "I", "T"}));
        QCOMPARE(rows.isRowDefective(0), false);
        QCOMPARE(rows.isRowSound(0), true);
        QCOMPARE(rows.isRowDefective(1), true);
        QCOMPARE(rows.flag(1, rows.audioFields().valid), false);
        QCOMPARE(rows.isRowSound(2), true);
        QVERIFY(!rows.modified);
        QCOMPARE(rows.postCount, 0);
        QVERIFY(rows.generationAllowed);
        QCOMPARE(rows.openingMode(), SoundTableRows::OpeningMode::Audio);
        // The rows give back what was read.
        for (int r = 0; r < 3; ++r)
            QCOMPARE(rows.tableRecord(r), t.table.record(r));

        // The mode follows the last entry: a picture found, or (missing) as before.
        MeaningTable two(MeaningKind::Sounds);
        addEntry(two, pic, -1, -1, QString(), u"A"_s);
        rows.loadFrom(two);
        QCOMPARE(rows.openingMode(), SoundTableRows::OpeningMode::Files);
        QVERIFY(!rows.generationAllowed); // no file name yet
        addEntry(two, fx.path(u"no.png"_s), -1, -1, QString(), u"B"_s);
        rows.loadFrom(two);
        QCOMPARE(rows.openingMode(), SoundTableRows::OpeningMode::AsBefore);
        QCOMPARE(rows.current(), 1);
    }

    void addingFilesAndTracks()
    {
        SlideListFixture fx;
        FakePrompter p;
        ProgramOptions o;
        SoundTableRows rows(p, o);
        // Three tracks from the audio list: three sound-only rows named after their files.
        QVERIFY(!rows.addFiles({fx.path(u"a.wav"_s), fx.path(u"b.mp3"_s), fx.path(u"c.ogg"_s)},
                               true, false));
        QCOMPARE(rows.count(), 3);
        QCOMPARE(column(rows, FileListRows::Slide), sl({"T", "T", "T"}));
        QCOMPARE(column(rows, SoundTableRows::Meaning), sl({"A", "B", "C"}));
        QCOMPARE(rows.tableRecord(1)[0], QVariant());
        QCOMPARE(rows.tableRecord(1)[3].toString(), fx.path(u"b.mp3"_s));
        QCOMPARE(rows.tableRecord(1)[1].toInt(), -1);
        QCOMPARE(rows.postCount, 3);
        QVERIFY(rows.modified);

        // Without the automatic meaning, one picture inserted before the current row leaves
        // the meaning to be typed (the box takes the focus).
        o.EdiSMLCopyAutomaticFN = false;
        rows.setCurrent(1);
        QVERIFY(rows.addFiles({fx.path(u"casa.jpg"_s)}, false, true));
        QCOMPARE(column(rows, FileListRows::Name), sl({"", "casa", "", ""}));
        QCOMPARE(column(rows, FileListRows::Slide), sl({"T", "I", "T", "T"}));
        QCOMPARE(rows.text(1, SoundTableRows::Meaning), QString());
        QVERIFY(!rows.addFiles({fx.path(u"x.txt"_s), fx.path(u"y.txt"_s)}, false, false));
        QCOMPARE(rows.kindLetter(5), u"X"_s);
    }

    void postingTheMeaning_data()
    {
        QTest::addColumn<bool>("upper");
        QTest::addColumn<bool>("trim");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("upper and trim") << true << true << u"  gat negre "_s << u"Gat negre"_s;
        QTest::newRow("upper only") << true << false << u" gat"_s << u" gat"_s;
        QTest::newRow("neither") << false << true << u" gat "_s << u" gat "_s;
        QTest::newRow("cut at 50") << false << false << QString(60, u'x') << QString(50, u'x');
    }
    void postingTheMeaning()
    {
        QFETCH(bool, upper);
        QFETCH(bool, trim);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        SlideListFixture fx;
        FakePrompter p;
        ProgramOptions o;
        o.SWmlFieldsUpCase1stChar = upper;
        o.OnBPostEdit_TrimSpaces = trim;
        SoundTableRows rows(p, o);
        (void)rows.addFiles({fx.path(u"a.wav"_s), fx.path(u"b.wav"_s)}, true, false);
        rows.setCurrent(0);
        rows.setMeaningText(typed);
        rows.setCurrent(1); // leaving the row posts it
        QCOMPARE(rows.text(0, SoundTableRows::Meaning), stored);
        QCOMPARE(rows.postCount, 3);
    }

    void theCheck()
    {
        SlideListFixture fx;
        const QString pic = fx.picture(u"os.png"_s);
        const QString other = fx.picture(u"cor.png"_s);
        const QString track = fx.file(u"so.wav"_s, QByteArray("RIFF"));
        const QString missing = fx.path(u"fora.png"_s);
        MeaningTable t(MeaningKind::Sounds);
        addEntry(t, pic, 10, 20, QString(), u"Fèmur"_s);
        addEntry(t, pic, 30, 40, QString(), u"Tíbia"_s); // another mark: no duplicate
        addEntry(t, other, -1, -1, QString(), u"Cor"_s);
        addEntry(t, other, -1, -1, QString(), u"cor"_s);   // same file, same meaning in case
        addEntry(t, missing, -1, -1, QString(), u"COR"_s); // missing: meaning not compared
        addEntry(t, QString(), -1, -1, track, u"So"_s);
        addEntry(t, QString(), -1, -1, track.toUpper(), u"Altre"_s);
        FakePrompter p;
        ProgramOptions o;
        SoundTableRows rows(p, o);
        rows.loadFrom(t);
        QFile::remove(other); // gone since the table was opened
        const QStringList lines = rows.checkList();
        QStringList expected = {
            u"3: "_s + notFound(other),
            u"4: "_s + notFound(other),
            u"5: "_s + notFound(missing),
        };
        // On a file system that tells cases apart the upper-case track is another, missing
        // file; otherwise it is the same track twice.
        const QString upperTrack = track.toUpper();
        if (QFile::exists(upperTrack))
            expected << u"7: Duplicació de l'arxiu %1"_s.arg(upperTrack);
        else
            expected << u"7: "_s + notFound(upperTrack);
        expected << u"Hi ha diferents tipus de d'arxius"_s;
        QCOMPARE(lines, expected);
        QCOMPARE(rows.flag(2, FileListRows::Valid), false);
        QCOMPARE(rows.flag(0, FileListRows::Valid), true);

        // With the picture back, the duplicate file and meaning of row 4 show.
        (void)fx.picture(u"cor.png"_s);
        const QStringList again = rows.checkList();
        QVERIFY(again.contains(u"4: Duplicació de l'arxiu %1"_s.arg(other)));
        QVERIFY(again.contains(u"4: Duplicació del significat cor"_s));
        QVERIFY(!again.contains(u"2: Duplicació de l'arxiu %1"_s.arg(pic)));
        QCOMPARE(rows.flag(2, FileListRows::Valid), true);
    }

    void sorting_data()
    {
        QTest::addColumn<int>("order");
        QTest::addColumn<QStringList>("names");
        // Rows: b.png in /z, a.png in /y, a.jpg in /z.
        QTest::newRow("name, ext, dir") << 0 << sl({"a.jpg", "a.png", "b.png"});
        QTest::newRow("dir, name, ext") << 1 << sl({"a.png", "a.jpg", "b.png"});
        QTest::newRow("dir, ext, name") << 2 << sl({"a.png", "a.jpg", "b.png"});
        QTest::newRow("ext, name, dir") << 3 << sl({"a.jpg", "a.png", "b.png"});
    }
    void sorting()
    {
        QFETCH(int, order);
        QFETCH(QStringList, names);
        FakePrompter p;
        ProgramOptions o;
        SoundTableRows rows(p, o);
        (void)rows.addFiles({u"/Z/b.png"_s, u"/y/A.png"_s, u"/z/a.jpg"_s}, false, false);
        rows.sortByFile(order);
        QStringList got;
        for (int r = 0; r < rows.count(); ++r)
            got << (rows.text(r, FileListRows::Name) + u"."_s + rows.text(r, FileListRows::Ext))
                       .toLower();
        QCOMPARE(got, names);
        QVERIFY(!rows.generationAllowed);

        // The audio sort uses the same orders on the tracks; the meaning sort ignores case.
        o.SWmlFieldsUpCase1stChar = false;
        SoundTableRows tracks(p, o);
        (void)tracks.addFiles({u"/b/x.wav"_s, u"/a/Y.mp3"_s, u"/a/x.wav"_s}, true, false);
        tracks.sortByAudio(1);
        QCOMPARE(column(tracks, SoundTableRows::Meaning), sl({"x", "Y", "x"}));
        QCOMPARE(column(tracks, tracks.audioFields().dir), sl({"/a", "/a", "/b"}));
        tracks.sortByMeaning();
        QCOMPARE(column(tracks, SoundTableRows::Meaning).join(u','), u"x,x,Y"_s);
        QCOMPARE(tracks.meaningsText(), u"x\r\nx\r\nY\r\n"_s);
    }

    void savingAndClosing()
    {
        SlideListFixture fx;
        const QString pic = fx.picture(u"gat.png"_s);
        FakePrompter p;
        ProgramOptions o;
        SoundTableRows rows(p, o);
        MeaningTable main(MeaningKind::Sounds);
        main.fileName = fx.path(u"curs.sml"_s);
        (void)rows.addFiles({pic}, false, false);
        // One row: the error, nothing written.
        QVERIFY(!rows.saveInto(main).ok());
        QCOMPARE(p.texts().last(), u"La taula ha de tenir almenys 2 registres"_s);
        QVERIFY(!QFile::exists(main.fileName));

        (void)rows.addFiles({fx.path(u"miol.wav"_s)}, true, false);
        // A words table of the same name: No keeps both as they were, and the save fails.
        const QString words = fx.file(u"curs.wml"_s, QByteArray("a\tb\r\n"));
        p.answers = {MsgButton::No};
        QVERIFY(!rows.saveInto(main).ok());
        QVERIFY(!QFile::exists(main.fileName));
        QCOMPARE(readAll(words), QByteArray("a\tb\r\n"));
        QCOMPARE(main.table.recordCount(), 0);
        QVERIFY(!rows.generationAllowed);
        QCOMPARE(rows.postCount, 2);

        p.answers = {MsgButton::Yes};
        QVERIFY(rows.saveInto(main).ok());
        QVERIFY(!QFile::exists(words));
        QCOMPARE(readAll(main.fileName), (pic + u"\t-1\t-1\t\tGat\r\n\t-1\t-1\t"_s +
                                          fx.path(u"miol.wav"_s) + u"\tMiol\r\n"_s)
                                             .toLocal8Bit());
        QCOMPARE(main.table.recordCount(), 2);
        QCOMPARE(rows.postCount, 0);
        QVERIFY(rows.generationAllowed);

        // Saved since the last change: closing asks only when a quiz of the name exists.
        QVERIFY(rows.canClose(false));
        (void)fx.file(u"curs.sal"_s, QByteArray("x\r\n"));
        p.answers = {MsgButton::No};
        QVERIFY(!rows.canClose(false));
        p.answers = {MsgButton::Yes};
        QVERIFY(rows.canClose(false));

        // A row without a meaning is not saved: the file could not be read back.
        rows.setCurrent(0);
        rows.setMeaningText(QString());
        rows.postCurrent();
        QVERIFY(!rows.saveInto(main).ok());
        QCOMPARE(p.texts().last(), u"La fila 1 no té el significat/títol definit"_s);
        QCOMPARE(main.table.record(0)[4].toString(), u"Gat"_s);

        // Three changes unsaved ask before they are lost.
        rows.setMeaningText(u"u"_s);
        rows.postCurrent();
        rows.setMeaningText(u"v"_s);
        rows.postCurrent();
        p.answers = {MsgButton::No};
        QVERIFY(!rows.canClose(false));
        QCOMPARE(p.texts().last(), u"Segur que voleu abandonar les modificacions de la taula?"_s);
    }
};

QTEST_GUILESS_MAIN(SoundTableRowsTest)
#include "SoundTableRowsTest.moc"
