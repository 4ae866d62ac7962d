#include "presentation/SlideList.h"
#include "files/TextCodec.h"
#include "presentation/SlideRecord.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using L = SlideListFixture;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

class SlideListTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadSaveKeepsBytesAndEncoding()
    {
        SlideListFixture fx;
        FakePrompter p;
        // Windows-1252 with mixed line ends: reads as three lines, writes back with CR LF.
        const QByteArray ansi = "\tT\tT\xEDtol\t\t\t\nfoto.jpg\tB\tPla\xE7\x61\t\t\t\r\r\n";
        const QString path = fx.file(QStringLiteral("a.sal"), ansi);
        SlideList list;
        QVERIFY(list.load(path).ok());
        QCOMPARE(list.lines.size(), 3);
        QCOMPARE(list.lines[0], QStringLiteral("\tT\tTítol\t\t\t"));
        QCOMPARE(list.lines[2], QString());
        QCOMPARE(list.encoding, TextEncoding::Windows1252);
        QVERIFY(list.save(path, p).ok());
        QCOMPARE(readAll(path),
                 QByteArray("\tT\tT\xEDtol\t\t\t\r\nfoto.jpg\tB\tPla\xE7\x61\t\t\t\r\n\r\n"));

        // UTF-8 stays UTF-8; a character outside Windows-1252 switches the file to UTF-8.
        const QString u = fx.file(QStringLiteral("u.sal"), "\tT\tT\xC3\xADtol\t\t\t\r\n");
        SlideList ul;
        QVERIFY(ul.load(u).ok());
        QCOMPARE(ul.encoding, TextEncoding::Utf8);
        SlideList ascii;
        QVERIFY(ascii.load(fx.file(QStringLiteral("b.sal"), "x.png\t\t\t\t\t\r\n")).ok());
        ascii.lines.append(QStringLiteral("\tT\t\u0141\u00f3d\u017a\t\t\t"));
        QVERIFY(ascii.save(fx.path(QStringLiteral("b.sal")), p).ok());
        SlideList again;
        QVERIFY(again.load(fx.path(QStringLiteral("b.sal"))).ok());
        QCOMPARE(again.lines, ascii.lines);
        QVERIFY(p.shown.empty());
    }

    void failedSaveReportsAndStaysModified()
    {
        SlideListFixture fx;
        FakePrompter p;
        // A folder where the list should go: no file can be put there, whoever runs the test.
        const QString path = fx.path(QStringLiteral("taken.sal"));
        QDir().mkpath(path);
        SlideList list;
        list.lines = {QStringLiteral("new\t\t\t\t\t")};
        list.modified = true;
        const Fallible<void> saved = list.save(path, p);
        QVERIFY(!saved.ok());
        QVERIFY(list.modified);
        QCOMPARE(p.texts(),
                 QStringList{QStringLiteral("S'ha produït un error en desar\r\n%1").arg(path)});
        QCOMPARE(saved.error(), p.texts().front());
        QVERIFY(QFileInfo(path).isDir());
    }

    void relocationRewritesOnlyTheChosenField()
    {
        SlideListFixture fx;
        fx.picture(QStringLiteral("x.png"));
        fx.file(QStringLiteral("so.mp3"), "ID3");
        fx.file(QStringLiteral("doc.pdf"), "%PDF");
        SlideList list;
        list.lines = {
            L::line(QStringLiteral("C:\\Fotos\\x.png"), QStringLiteral("L"), QStringLiteral("u"),
                    QStringLiteral("d"), QStringLiteral("3"), QStringLiteral("E:\\Musica\\so.mp3")),
            L::line(QStringLiteral("C:\\Fotos\\absent.png")),
            L::line(QStringLiteral(""), QStringLiteral("O"), QStringLiteral("K:\\docs\\doc.pdf")),
            L::line(QStringLiteral(""))};
        FakePrompter p;
        QCOMPARE(list.RelocateSlideFiles(fx.dir(), SlideList::RelocateField::File, &p),
                 SlideList::RelocateResult::Done);
        QCOMPARE(list.lines[0],
                 L::line(QDir(fx.dir()).filePath(QStringLiteral("x.png")), QStringLiteral("L"),
                         QStringLiteral("u"), QStringLiteral("d"), QStringLiteral("3"),
                         QStringLiteral("E:\\Musica\\so.mp3")));
        QCOMPARE(list.lines[1], L::line(QStringLiteral("C:\\Fotos\\absent.png")));
        QVERIFY(list.modified);
        list.RelocateSlideFiles(fx.dir(), SlideList::RelocateField::Audio, &p);
        QVERIFY(list.lines[0].endsWith(QDir(fx.dir()).filePath(QStringLiteral("so.mp3"))));
        list.RelocateSlideFiles(fx.dir(), SlideList::RelocateField::Document, &p);
        QCOMPARE(list.lines[2], L::line(QStringLiteral(""), QStringLiteral("O"),
                                        QDir(fx.dir()).filePath(QStringLiteral("doc.pdf"))));
        QVERIFY(p.shown.empty());

        list.lines.insert(1, QStringLiteral("broken\tline"));
        QCOMPARE(list.RelocateSlideFiles(fx.dir(), SlideList::RelocateField::File, &p),
                 SlideList::RelocateResult::Malformed);
        QCOMPARE(p.texts().back(), MalformedLineMessage(2));
    }

    void relocatedAudioIsTheTextAfterTheLastTab()
    {
        // A line with a seventh field: only the text after the last TAB is the track, and the
        // field before it stays as it was.
        SlideListFixture fx;
        fx.file(QStringLiteral("so.mp3"), "ID3");
        SlideList list;
        list.lines = {QStringLiteral("a.png\tL\tu\td\t3\tE:\\vell\\extra.txt\tE:\\Musica\\so.mp3")};
        FakePrompter p;
        QCOMPARE(list.RelocateSlideFiles(fx.dir(), SlideList::RelocateField::Audio, &p),
                 SlideList::RelocateResult::Done);
        QCOMPARE(list.lines[0], QStringLiteral("a.png\tL\tu\td\t3\tE:\\vell\\extra.txt\t") +
                                    QDir(fx.dir()).filePath(QStringLiteral("so.mp3")));
        QVERIFY(list.modified);
    }

    void badFilesDoNotBreakLoading()
    {
        SlideListFixture fx;
        SlideList list;
        QVERIFY(list.load(fx.file(QStringLiteral("empty.sal"), "")).ok());
        QVERIFY(list.lines.isEmpty());
        QByteArray binary;
        for (int i = 0; i < 70000; ++i)
            binary += char((i * 131) & 0xFF);
        QVERIFY(list.load(fx.file(QStringLiteral("bin.sal"), binary)).ok());
        QVERIFY(!list.lines.isEmpty());
        SlideList again;
        again.loadFromBytes(binary);
        QCOMPARE(again.toBytes().size() > 0, true);
        const Fallible<void> missing = list.load(fx.path(QStringLiteral("missing.sal")));
        QVERIFY(!missing.ok());
        QCOMPARE(missing.error(), QStringLiteral("No es pot obrir el fitxer %1")
                                      .arg(fx.path(QStringLiteral("missing.sal"))));
    }

    void aRecordedTimeNeverChangesTheOtherCharacters()
    {
        // Windows-1252 (the 0xFF makes it so) with "Ã©" in the prompt: once the time replaces the
        // 0xFF, those two bytes alone would read back as the UTF-8 of "é".
        SlideList list;
        list.loadFromBytes("a.png\t\t\xC3\xA9s\t\t\xFF\t\r\n");
        QCOMPARE(list.encoding, TextEncoding::Windows1252);
        list.recordTime(0, 12);
        const QStringList lines = list.lines;
        QCOMPARE(lines.first(), QStringLiteral("a.png\t\t\u00C3\u00A9s\t\t12\t"));
        SlideList again;
        again.loadFromBytes(list.toBytes());
        QCOMPARE(again.lines, lines);
        QCOMPARE(list.encoding, TextEncoding::Utf8);
    }

    void hundredThousandLinesLoadQuickly()
    {
        SlideListFixture fx;
        QByteArray big;
        for (int i = 0; i < 100000; ++i)
            big += "C:\\Imatges\\foto" + QByteArray::number(i) + ".jpg\tB\tNota\tSegona\t\t\r\n";
        const QString path = fx.file(QStringLiteral("big.sal"), big);
        QElapsedTimer t;
        t.start();
        SlideList list;
        QVERIFY(list.load(path).ok());
        QCOMPARE(list.lines.size(), 100000);
        qInfo("100000-line list read in %lld ms", t.elapsed());
    }
};

QTEST_GUILESS_MAIN(SlideListTest)
#include "SlideListTest.moc"
