#include "editors/SlideListRows.h"
#include "config/ProgramOptions.h"
#include "presentation/SlideList.h"
#include "presentation/SlideRecord.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"
#include "support/Utf8Strings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace Qt::StringLiterals;

using L = SlideListFixture;
using R = SlideListRows;

namespace {

// A list of rows over real files: `n` pictures p1.png .. pn.png in the fixture's folder.
struct Rows
{
    SlideListFixture fx;
    FakePrompter prompter;
    ProgramOptions options;
    SlideListRows rows{prompter, options};

    QStringList pictures(int n)
    {
        QStringList lines;
        for (int i = 1; i <= n; ++i)
            lines << L::line(fx.picture(QStringLiteral("p%1.png").arg(i)));
        return lines;
    }
    void load(const QStringList &lines, int current = 0) { rows.loadLines(lines, current); }
    // The slide a row's line decodes to once written.
    SlideRecord written(int row) const { return *DecodeSlide(rows.writeLine(row)); }
};

std::vector<int> v(std::initializer_list<int> l)
{
    return std::vector<int>(l);
}

} // namespace

class SlideListRowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Lines read and not changed are written back as they were read, whatever their form.
    void unchangedRowsWriteTheirLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("flags in another order") << L::line(
            QString(), QStringLiteral("RPX"), QStringLiteral("Pregunta?"), QStringLiteral("*a|b"));
        QTest::newRow("signed time")
            << L::line(QString(), QString(), QStringLiteral("t"), QString(), QStringLiteral("+5"));
        QTest::newRow("time beyond the rows") << L::line(QString(), QString(), QStringLiteral("t"),
                                                         QString(), QStringLiteral("70000"));
        QTest::newRow("long paragraph") << L::line(
            QString(), QString(), QString(300, QLatin1Char('a')), QString(400, QLatin1Char('b')));
        QTest::newRow("tab in audio field")
            << L::line(QStringLiteral("x.jpg"), QStringLiteral("B"), QString(), QString(),
                       QString(), QStringLiteral("a\tb.mp3"));
        QTest::newRow("windows path") << L::line(QStringLiteral("C:\\Fotos\\Casa.JPG"),
                                                 QStringLiteral("L"), QStringLiteral("n"));
        QTest::newRow("list slide with text")
            << L::line(QStringLiteral("altra.sal"), QString(), QStringLiteral("ignored"));
        QTest::newRow("document") << L::line(QString(), QStringLiteral("OC"),
                                             QStringLiteral("/no/such/doc.pdf"));
    }
    void unchangedRowsWriteTheirLines()
    {
        QFETCH(QString, line);
        Rows t;
        t.load({line});
        t.prompter.clear();
        QCOMPARE(t.rows.writeLines(), QStringList{line});
        QVERIFY(!t.rows.modified);
        QCOMPARE(t.rows.postCount, 0);
    }

    // Every list we ship loads into rows and saves back byte for byte.
    void samplesRoundTrip()
    {
        const QDir samples(QStringLiteral(PELVAR_SOURCE_DIR "/samples"));
        const QStringList lists = samples.entryList({QStringLiteral("*.sal")}, QDir::Files);
        QVERIFY(!lists.isEmpty());
        for (const QString &name : lists) {
            QFile f(samples.filePath(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray bytes = f.readAll();
            SlideList list;
            list.loadFromBytes(bytes);
            FakePrompter p;
            ProgramOptions o;
            SlideListRows rows(p, o);
            rows.loadLines(list.lines);
            QVERIFY2(p.shown.empty(), qPrintable(name));
            list.lines = rows.writeLines();
            QCOMPARE(list.toBytes(), bytes);
        }
    }

    // A changed row is composed again; it reads back with the note position and every flag it
    // was written with, whichever combination.
    void composedRowsReadBackTheSame_data()
    {
        QTest::addColumn<int>("notePos");
        QTest::addColumn<int>("markers");
        for (int pos = 0; pos < 4; ++pos)
            for (int m = 0; m < (1 << 9); m += (m < 16 ? 1 : 7))
                QTest::addRow("pos %d markers %d", pos, m) << pos << m;
    }
    void composedRowsReadBackTheSame()
    {
        QFETCH(int, notePos);
        QFETCH(int, markers);
        Rows t;
        t.load(t.pictures(3));
        const int row = 1;
        t.rows.setCurrent(row);
        auto on = [&](int bit) { return (markers & (1 << bit)) != 0; };
        t.rows.setValue(row, R::NotePos, notePos);
        t.rows.setValue(row, R::Show, !on(0));
        t.rows.setValue(row, R::PWithAnswer, on(1));
        t.rows.setValue(row, R::PWithPromptForAnswer, on(1) && on(2));
        t.rows.setValue(row, R::PRandomAnswer, on(1) && on(3));
        t.rows.setValue(row, R::PresTotalTest, on(4));
        t.rows.setValue(row, R::AudioRepeat, on(5));
        t.rows.setValue(row, R::AudioContinue, on(6));
        t.rows.setValue(row, R::AudioStop, on(7));
        if (on(8)) {
            t.rows.setValue(row, FileListRows::MarkX, 250);
            t.rows.setValue(row, FileListRows::MarkY, 750);
        }
        t.rows.setValue(row, R::PromptOr1stLine, QStringLiteral("Pregunta"));
        t.rows.setValue(row, R::AnswersOrNextLines, QStringLiteral("*a|b"));
        QVERIFY(t.rows.text(row, R::SourceLine).isEmpty());
        const SlideRecord s = t.written(row);
        QCOMPARE(int(s.NotePos), notePos);
        QCOMPARE(s.Hidden, on(0));
        QCOMPARE(s.PWithAnswer, on(1));
        QCOMPARE(s.PWithPromptForAnswer, on(1) && on(2));
        QCOMPARE(s.PRandomAnswer, on(1) && on(3));
        QCOMPARE(s.PresTotalTest, on(4));
        QCOMPARE(s.AudioRepeat, on(5));
        QCOMPARE(s.AudioContinue, on(6));
        QCOMPARE(s.AudioStop, on(7));
        QCOMPARE(s.MarkX, on(8) ? 250 : -1);
        QCOMPARE(s.MarkY, on(8) ? 750 : -1);
        // And once more through the rows: the line read again gives the same line.
        const QString line = t.rows.writeLine(row);
        Rows again;
        again.load({line});
        again.rows.setValue(0, R::Time, 3);
        again.rows.setValue(0, R::Time, QVariant());
        QCOMPARE(again.rows.writeLine(0), line);
    }

    void writtenFlagsOfTheCommonCases()
    {
        Rows t;
        t.load(t.pictures(2) << L::line(QString(), QString(), QStringLiteral("Títol")));
        // A hidden title question: "HX"; a hidden image question: "H", the note, "X".
        t.rows.setValue(2, R::Show, false);
        t.rows.setValue(2, R::PWithAnswer, true);
        t.rows.setValue(2, R::AnswersOrNextLines, QStringLiteral("*sí|no"));
        QVERIFY(t.written(2).Flags.startsWith(QLatin1String("HX")));
        t.rows.setValue(0, R::Show, false);
        t.rows.setValue(0, R::PWithAnswer, true);
        t.rows.setValue(0, R::AnswersOrNextLines, QStringLiteral("*sí|no"));
        QCOMPARE(t.written(0).Flags, QStringLiteral("HX"));
        // An image with its note on the left alone is "L".
        t.rows.setValue(1, R::NotePos, 0);
        QCOMPARE(t.written(1).Flags, QStringLiteral("L"));
        QCOMPARE(t.rows.writeLine(1).section(QLatin1Char('\t'), 0, 0),
                 t.fx.path(QStringLiteral("p2.png")));
        // A question flag needs a paragraph: "X" alone with both empty is not written.
        t.rows.setValue(2, R::PromptOr1stLine, QVariant());
        t.rows.setValue(2, R::AnswersOrNextLines, QVariant());
        QCOMPARE(t.written(2).Flags, QStringLiteral("H"));
    }

    // The editor keeps the letter case of an extension: the row names the file that is there.
    void extensionCaseIsKept()
    {
        Rows t;
        const QString pic = t.fx.picture(QStringLiteral("Foto.JPG"));
        t.load({L::line(pic)});
        QVERIFY(t.rows.flag(0, FileListRows::Valid));
        t.rows.setValue(0, R::Time, 4);
        QCOMPARE(t.written(0).FileName, pic);
        QCOMPARE(t.written(0).FileState, fsOk);
        QCOMPARE(t.rows.data(t.rows.index(0, 2)).toString(), QStringLiteral("jpg"));
    }

    void loadingSkipsMalformedLinesAndWarnsOnceAboutLongParagraphs()
    {
        Rows t;
        QStringList lines = t.pictures(4);
        lines.insert(1, QStringLiteral("nomes\tdos\tcamps"));
        lines[2] =
            L::line(t.fx.path(QStringLiteral("p2.png")), QString(), QString(300, QLatin1Char('x')));
        lines[3] = L::line(t.fx.path(QStringLiteral("p3.png")), QString(), QString(),
                           QString(256, QLatin1Char('y')));
        t.load(lines);
        QCOMPARE(t.rows.count(), 4);
        QCOMPARE(t.prompter.shown.size(), std::size_t(2));
        QCOMPARE(t.prompter.shown[0].text, MalformedLineMessage(2));
        QVERIFY(t.prompter.shown[1].text.startsWith(
            QStringLiteral("Almenys la diapositiva 3 conté un paràgraf de més de 255")));
        QCOMPARE(t.prompter.shown[1].kind, MsgKind::Warning);
        QCOMPARE(t.rows.text(1, R::PromptOr1stLine).size(), 255);
        // Untouched, the long paragraph is written whole; once the row changes, it is cut.
        QCOMPARE(t.rows.writeLine(1), lines[2]);
        t.rows.setValue(1, R::Time, 3);
        QCOMPARE(t.written(1).PromptOr1stLine, QString(255, QLatin1Char('x')));
        QVERIFY(!t.rows.modified);
    }

    // Numbers in NextSlide and in the answers' "//*" are 1-based slide numbers.
    void renumbering_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<int>>("nextBefore"); // NextSlide of rows 0..4, -1 = none
        QTest::addColumn<QList<int>>("nextAfter");  // of the rows that remain, in order
        QTest::newRow("insert at 2")
            << u"insert"_s << 1 << QList<int>{2, 3, -1, 1, 5} << QList<int>{3, -1, 4, -1, 1, 6};
        QTest::newRow("delete 2") << u"delete"_s << 1 << QList<int>{3, 2, -1, 1, 5}
                                  << QList<int>{2, -1, 1, 4};
        QTest::newRow("delete last of 5")
            << u"delete"_s << 4 << QList<int>{5, 4, -1, 1, 2} << QList<int>{4, 4, -1, 1};
        QTest::newRow("move 3 down")
            << u"down"_s << 2 << QList<int>{3, 4, -1, 1, 3} << QList<int>{4, 3, 1, -1, 4};
        QTest::newRow("move 3 up")
            << u"up"_s << 2 << QList<int>{3, 2, -1, 1, 5} << QList<int>{2, -1, 3, 1, 5};
        QTest::newRow("move first up: nothing")
            << u"up"_s << 0 << QList<int>{2, 3, -1, 1, 2} << QList<int>{2, 3, -1, 1, 2};
        QTest::newRow("move last down: nothing")
            << u"down"_s << 4 << QList<int>{2, 3, -1, 1, 4} << QList<int>{2, 3, -1, 1, 4};
    }
    void renumbering()
    {
        QFETCH(QString, action);
        QFETCH(int, row);
        QFETCH(QList<int>, nextBefore);
        QFETCH(QList<int>, nextAfter);
        Rows t;
        QStringList lines = t.pictures(5);
        for (int i = 0; i < 5; ++i)
            if (nextBefore[i] != -1)
                lines[i] = L::line(t.fx.path(QStringLiteral("p%1.png").arg(i + 1)),
                                   QStringLiteral("*%1").arg(nextBefore[i]));
        t.load(lines, row);
        // A question row carries the same jumps in its answers, and one that is not a number.
        if (action == QLatin1String("insert")) {
            t.rows.addTitleRow(true);
            QCOMPARE(t.rows.current(), row);
        } else if (action == QLatin1String("delete")) {
            t.rows.deleteRows({row});
        } else if (action == QLatin1String("up")) {
            t.rows.moveUp();
        } else {
            t.rows.moveDown();
        }
        QList<int> got;
        for (int r = 0; r < t.rows.count(); ++r)
            got << t.rows.number(r, R::NextSlide);
        QCOMPARE(got, nextAfter);
        t.prompter.clear();
    }

    void answerJumpsFollowTheRows()
    {
        Rows t;
        QStringList lines = t.pictures(5);
        lines << L::line(QString(), QStringLiteral("XP"), QStringLiteral("On?"),
                         QStringLiteral("*a//*4|b//*3|c//*x|d//text|e//*5"));
        // A row with a next slide: its answers are not jumps and are left alone.
        lines << L::line(QString(), QStringLiteral("*3"), QStringLiteral("t"),
                         QStringLiteral("x//*4"));
        t.load(lines, 2);
        QVERIFY(t.rows.moveDown()); // slide 3 <-> slide 4
        QCOMPARE(t.rows.text(5, R::AnswersOrNextLines),
                 QStringLiteral("*a//*3|b//*4|c//*x|d//text|e//*5"));
        QCOMPARE(t.rows.number(6, R::NextSlide), 4);
        QCOMPARE(t.rows.text(6, R::AnswersOrNextLines), QStringLiteral("x//*4"));
        t.rows.deleteRows({0}); // every number above 1 goes down
        QCOMPARE(t.rows.text(4, R::AnswersOrNextLines),
                 QStringLiteral("*a//*2|b//*3|c//*x|d//text|e//*4"));
        QCOMPARE(t.rows.number(5, R::NextSlide), 3);
        QVERIFY(t.rows.modified);
    }

    // Several rows deleted at once: exactly those go, and the references follow each removal.
    void deletingSelectedRows()
    {
        Rows t;
        QStringList lines = t.pictures(8);
        lines[0] = L::line(t.fx.path(QStringLiteral("p1.png")), QStringLiteral("*8"));
        t.load(lines);
        t.rows.deleteRows(v({1, 4, 6}));
        QStringList names;
        for (int r = 0; r < t.rows.count(); ++r)
            names << t.rows.text(r, FileListRows::Name);
        QCOMPARE(names, (sl({"p1", "p3", "p4", "p6", "p8"})));
        QCOMPARE(t.rows.number(0, R::NextSlide), 5);
        QVERIFY(t.rows.modified);
    }

    void clearAllAsksWithTwoRowsOrMore()
    {
        Rows t;
        t.load(t.pictures(1));
        QVERIFY(t.rows.clearAll());
        QVERIFY(t.prompter.shown.empty());
        QCOMPARE(t.rows.count(), 0);
        t.load(t.pictures(2));
        t.prompter.answers = {MsgButton::No};
        QVERIFY(!t.rows.clearAll());
        QCOMPARE(t.prompter.shown.back().text,
                 QStringLiteral("Voleu esborrar tots els 2 registres?"));
        QCOMPARE(t.rows.count(), 2);
        t.prompter.answers = {MsgButton::Yes};
        QVERIFY(t.rows.clearAll());
        QCOMPARE(t.rows.count(), 0);
        QCOMPARE(t.rows.postCount, 0);
        QVERIFY(t.rows.modified);
    }

    void aMovedRowKeepsItsFields()
    {
        Rows t;
        QStringList lines = t.pictures(3);
        lines[0] = L::line(t.fx.path(QStringLiteral("p1.png")), QStringLiteral("T"),
                           QStringLiteral("nota"), QString(), QStringLiteral("300"));
        lines[0] = L::line(t.fx.path(QStringLiteral("p1.png")), QStringLiteral("N1x100y200"),
                           QStringLiteral("nota"), QString(), QStringLiteral("300"));
        t.load(lines, 0);
        QVERIFY(t.rows.moveDown());
        QCOMPARE(t.rows.current(), 1);
        QCOMPARE(t.rows.text(1, FileListRows::Name), QStringLiteral("p1"));
        QCOMPARE(t.rows.number(1, FileListRows::MarkX), 100);
        QCOMPARE(t.rows.number(1, FileListRows::MarkY), 200);
        QCOMPARE(t.rows.number(1, R::NotePos), 1);
        QCOMPARE(t.rows.number(1, R::Time), 300);
        // Moved, not changed: both lines are written as they were read.
        QCOMPARE(t.rows.writeLines(), (QStringList{lines[1], lines[0], lines[2]}));
        QVERIFY(t.rows.modified);
    }

    // The boxes go into the fields through the text conversion.
    void textConversion_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("trim");
        QTest::addColumn<bool>("upper");
        QTest::addColumn<QString>("field");
        QTest::newRow("trim and upper") << u" hola \n  adéu \n"_s << true << true << u"Hola|Adéu"_s;
        QTest::newRow("as typed") << u" hola \n adéu\n\n"_s << false << false << u" hola | adéu"_s;
        QTest::newRow("empty pieces kept inside") << u"a\n\nb"_s << true << true << u"A||B"_s;
        QTest::newRow("only breaks") << u"\n\n"_s << true << false << u""_s;
        QTest::newRow("windows breaks") << u"a\r\nb"_s << false << false << u"a|b"_s;
    }
    void textConversion()
    {
        QFETCH(QString, box);
        QFETCH(bool, trim);
        QFETCH(bool, upper);
        QFETCH(QString, field);
        bool tooLong = false;
        QCOMPARE(R::convertBoxText(box, trim, upper, &tooLong), field);
        QVERIFY(!tooLong);
        R::convertBoxText(QString(256, QLatin1Char('a')), false, false, &tooLong);
        QVERIFY(tooLong);
    }

    void storingTheBoxes()
    {
        Rows t;
        t.options.OnBPostEdit_UpCase1stCharUpP = true;
        t.load(t.pictures(2));
        SlideRowControls &c = t.rows.controls;
        c.firstBox = QStringLiteral("  hola \n adéu ");
        c.firstModified = true;
        c.secondBox = QString(300, QLatin1Char('z'));
        c.secondModified = true;
        t.rows.setCurrent(1); // leaving the row posts it
        QCOMPARE(t.rows.text(0, R::PromptOr1stLine), QStringLiteral("Hola|Adéu"));
        QCOMPARE(t.rows.text(0, R::AnswersOrNextLines).size(), 255);
        QVERIFY(t.prompter.anyContains(QStringLiteral("El text més enllà de 255 caràcters")));
        QVERIFY(t.rows.modified);
        QCOMPARE(t.rows.postCount, 1);
        // Coming back shows the paragraphs one per line.
        t.rows.setCurrent(0);
        QCOMPARE(c.firstBox, QStringLiteral("Hola\nAdéu"));
        QVERIFY(!c.firstModified);
    }

    void answersAreCheckedWhenStored()
    {
        Rows t;
        t.load(t.pictures(3));
        SlideRowControls &c = t.rows.controls;
        t.rows.setPWithAnswer(true);
        c.firstBox = QStringLiteral("Quin?");
        c.firstModified = true;
        t.rows.setPWithPromptForAnswer(true);
        c.secondBox = QStringLiteral("*a\n\nb//*9\n\nc\n");
        c.secondModified = true;
        t.prompter.answers = {};
        t.rows.postCurrent();
        // Two empty lines go, each with its warning; the jump beyond the list loses its "//".
        QCOMPARE(t.rows.text(0, R::AnswersOrNextLines), QStringLiteral("*a|b|c"));
        QStringList texts = t.prompter.texts();
        QCOMPARE(texts.count(QStringLiteral("S'ha eliminat una resposta buida")), 2);
        QVERIFY(t.prompter.anyContains(QStringLiteral("més enllà del final de la llista (3)")));
        QVERIFY(t.rows.flag(0, R::PWithAnswer));
        QVERIFY(t.rows.flag(0, R::PWithPromptForAnswer));

        // Answers all emptied: the row is no longer a question.
        t.prompter.clear();
        c.secondBox = QStringLiteral("\n\n");
        c.secondModified = true;
        t.rows.postCurrent();
        QVERIFY(!t.rows.flag(0, R::PWithAnswer));
        QVERIFY(t.prompter.anyContains(QStringLiteral("No hi ha assignada cap resposta")));

        // A prompt asked for but left empty is turned off.
        t.rows.setCurrent(1);
        t.prompter.clear();
        t.rows.setPWithAnswer(true);
        t.rows.setPWithPromptForAnswer(true);
        c.secondBox = QStringLiteral("*x");
        c.secondModified = true;
        t.rows.postCurrent();
        QVERIFY(t.rows.flag(1, R::PWithAnswer));
        QVERIFY(!t.rows.flag(1, R::PWithPromptForAnswer));
        QCOMPARE(t.prompter.texts(), QStringList{QStringLiteral("No hi ha assignada la pregunta")});
    }

    void answersOnEmptyNextSlide()
    {
        Rows t;
        QStringList lines = t.pictures(6);
        lines[0] = L::line(t.fx.path(QStringLiteral("p1.png")), QStringLiteral("*5"),
                           QStringLiteral("pregunta"));
        t.load(lines);
        QVERIFY(t.rows.controls.nextSlideEnabled);
        t.rows.setPWithAnswer(true);
        QVERIFY(t.rows.controls.pWithPromptForAnswer); // the first box has text
        QVERIFY(!t.rows.controls.nextSlideEnabled);
        t.rows.controls.secondBox = QStringLiteral("*sí|no");
        t.rows.controls.secondModified = true;
        t.rows.setCurrent(1);
        QCOMPARE(t.rows.number(0, R::NextSlide), -1);
        QVERIFY(t.written(0).PWithAnswer);
        QCOMPARE(t.written(0).NextSlide, -1);
    }

    void nextSlideBoxIsChecked()
    {
        Rows t;
        t.load(t.pictures(4), 1);
        t.rows.controls.nextSlide = QStringLiteral("2");
        t.rows.controls.nextSlideModified = true;
        t.rows.postCurrent();
        QCOMPARE(t.rows.number(1, R::NextSlide), -1);
        QVERIFY(t.prompter.anyContains(QStringLiteral("El número de diapositiva on anar és el "
                                                      "mateix que el de la diapositiva actual")));
        t.prompter.clear();
        t.rows.controls.nextSlide = QStringLiteral("4");
        t.rows.controls.nextSlideModified = true;
        t.rows.postCurrent();
        QCOMPARE(t.rows.number(1, R::NextSlide), 4);
        QVERIFY(t.prompter.shown.empty());
    }

    void controlsFollowTheKind()
    {
        Rows t;
        t.load(QStringList{L::line(t.fx.picture(QStringLiteral("a.png")))}
               << L::line(QString(), QString(), QStringLiteral("Títol"))
               << L::line(t.fx.file(QStringLiteral("t.txt"), "x"))
               << L::line(t.fx.file(QStringLiteral("prog.exe"), "x"), QString(),
                          QStringLiteral("-a \"b c\""))
               << L::line(QString(), QStringLiteral("O"), t.fx.path(QStringLiteral("t.txt")))
               << L::line(t.fx.file(QStringLiteral("l.sal"), "x")));
        const SlideRowControls &c = t.rows.controls;
        QVERIFY(c.noteButtonsVisible && c.firstBoxVisible && c.secondBoxVisible);
        QVERIFY(c.markCommandsEnabled && !c.markClearEnabled);
        t.rows.setCurrent(1);
        QVERIFY(c.firstBoxVisible && c.secondBoxVisible && !c.fileCommandsEnabled);
        QCOMPARE(c.firstBox, QStringLiteral("Títol"));
        t.rows.setCurrent(2); // a text slide: only the second box, with answers
        QVERIFY(!c.firstBoxVisible && !c.secondBoxVisible && c.textPanelsVisible);
        t.rows.setPWithAnswer(true);
        QVERIFY(c.secondBoxVisible && !c.firstBoxVisible && c.answerTogglesVisible);
        QCOMPARE(c.secondHint, QStringLiteral("Resposta(es)"));
        t.rows.setCurrent(3);
        QVERIFY(c.paramPanelVisible && c.paramEditable && !c.textPanelsVisible);
        QCOMPARE(c.paramLabel, QStringLiteral("Paràmetres a passar"));
        QCOMPARE(c.params, QStringLiteral("-a \"b c\""));
        t.rows.setCurrent(4);
        QVERIFY(c.paramPanelVisible && !c.paramEditable);
        QCOMPARE(c.paramLabel, QStringLiteral("Arxiu a obrir"));
        t.rows.setCurrent(5);
        QVERIFY(!c.paramPanelVisible && !c.textPanelsVisible);
    }

    // Program parameters typed in their box are written in the third field and come back.
    void programParametersRoundTrip()
    {
        Rows t;
        const QString exe = t.fx.file(QStringLiteral("prog.exe"), "x");
        t.load({L::line(t.fx.picture(QStringLiteral("a.png"))), L::line(exe)}, 1);
        t.rows.controls.params = QStringLiteral("/s fitxer.txt");
        t.rows.controls.paramsModified = true;
        t.rows.chooseFile(QStringLiteral("/tmp/d o c.txt"));
        QCOMPARE(t.rows.text(1, R::PromptOr1stLine),
                 QStringLiteral("/s fitxer.txt \"/tmp/d o c.txt\""));
        const QStringList lines = t.rows.writeLines();
        Rows again;
        again.load(lines, 1);
        QCOMPARE(again.rows.controls.params, QStringLiteral("/s fitxer.txt \"/tmp/d o c.txt\""));
        QCOMPARE(again.rows.kindLetter(1), QStringLiteral("E"));
    }

    void addingRows()
    {
        Rows t;
        t.options.OnAppend_PWithAnswer = true;
        t.options.OnAppend_PWithPromptForAnswer = true;
        t.load({L::line(QString(), QString(), QStringLiteral("Títol"))});
        const QString a = t.fx.picture(QStringLiteral("a.png"));
        const QString b = t.fx.picture(QStringLiteral("b.png"));
        // One picture after a non-image row takes the question toggles of the options.
        t.rows.addSelectedFiles({a}, false);
        QCOMPARE(t.rows.count(), 2);
        QCOMPARE(t.rows.current(), 1);
        QVERIFY(t.rows.flag(1, R::PWithAnswer));
        QVERIFY(t.rows.flag(1, R::PWithPromptForAnswer));
        QCOMPARE(t.rows.number(1, R::NotePos), 3);
        // Several files: all toggles off, inserted before the current row in order.
        t.rows.addSelectedFiles({b, a}, true);
        QStringList names;
        for (int r = 0; r < t.rows.count(); ++r)
            names << t.rows.text(r, FileListRows::Name);
        QCOMPARE(names, (QStringList{QString(), u"b"_s, u"a"_s, u"a"_s}));
        QVERIFY(!t.rows.flag(1, R::PWithAnswer));
        // Leaving the first picture posted its toggles, and with both boxes empty it is no
        // longer a question.
        QCOMPARE(t.rows.postCount, 4);
        QVERIFY(!t.rows.flag(3, R::PWithAnswer));
        QVERIFY(t.prompter.anyContains(QStringLiteral("No hi ha assignada cap resposta")));
        QVERIFY(t.rows.modified);
        // A title row appended from a picture row takes the options' toggles too, and the
        // focus goes to the prompt box.
        t.rows.addTitleRow(false);
        QCOMPARE(t.rows.kindLetter(4), QStringLiteral("T"));
        QVERIFY(t.rows.flag(4, R::PWithAnswer));
        QCOMPARE(t.rows.controls.focus, SlideRowControls::Box::First);
        // Left without text, it is not a question on paper.
        t.rows.setCurrent(0);
        QVERIFY(!t.written(4).PWithAnswer);
        // An open-file row takes the chosen file.
        t.rows.addOpenFileRow(a);
        QCOMPARE(t.rows.kindLetter(5), QStringLiteral("O"));
        QCOMPARE(t.written(5).Kind, skDocument);
        QCOMPARE(t.written(5).PromptOr1stLine, a);
    }

    void commandsOnTheSelection()
    {
        Rows t;
        t.load(t.pictures(4));
        QVERIFY(!t.rows.hideOrShow({}));
        QCOMPARE(t.prompter.texts(),
                 QStringList{QStringLiteral("Heu de seleccionar alguna diapositiva")});
        QVERIFY(t.rows.hideOrShow(v({0, 2})));
        QVERIFY(!t.rows.flag(0, R::Show) && t.rows.flag(1, R::Show) && !t.rows.flag(2, R::Show));
        QVERIFY(t.rows.setTime(v({1, 2}), 12));
        QCOMPARE(t.rows.number(2, R::Time), 12);
        const int posts = t.rows.postCount;
        QVERIFY(t.rows.clearTime(v({0, 1})));
        QCOMPARE(t.rows.postCount, posts + 1); // row 0 had no time
        QVERIFY(t.rows.setRepeat(v({0, 1, 2, 3}), true));
        QVERIFY(t.written(3).AudioRepeat);
        QVERIFY(t.written(0).Hidden);
    }

    void totalTime_data()
    {
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<int>("delay");
        QTest::addColumn<bool>("hiddenOne");
        QTest::addColumn<QString>("expected");
        const QString base = QStringLiteral("El temps (obviant el temps de càrrega de les "
                                            "imatges/textos) per visualitzar totes les "
                                            "diapositives és de ");
        const QString skipped =
            QStringLiteral("\r\nSense tenir en compte les diapositives invàlides o amagades");
        QTest::newRow("minutes") << sl({"40", "", "30"}) << 2 << false << base + u"01:12"_s;
        QTest::newRow("half to even") << sl({"40", "", "15"}) << 0 << false << base + u"56s"_s;
        QTest::newRow("hidden adds nothing")
            << sl({"40", "", "15"}) << 0 << true << base + u"56s"_s + skipped;
        QTest::newRow("exactly a minute") << sl({"60"}) << 2 << false << base + u"01:00"_s;
        QTest::newRow("long") << sl({"999", "999"}) << 2 << false << base + u"33:18"_s;
    }
    void totalTime()
    {
        QFETCH(QStringList, times);
        QFETCH(int, delay);
        QFETCH(bool, hiddenOne);
        QFETCH(QString, expected);
        Rows t;
        QStringList lines;
        for (int i = 0; i < times.size(); ++i)
            lines << L::line(t.fx.picture(QStringLiteral("p%1.png").arg(i)), QString(), QString(),
                             QString(), times[i]);
        if (hiddenOne)
            lines << L::line(t.fx.picture(QStringLiteral("h.png")), QStringLiteral("H"), QString(),
                             QString(), QStringLiteral("100"));
        t.load(lines);
        QCOMPARE(t.rows.totalTimeText(delay), expected);
    }

    void acceptRule()
    {
        Rows t;
        t.load({});
        QVERIFY(!t.rows.canAccept());
        QCOMPARE(t.prompter.texts(),
                 QStringList{QStringLiteral("No hi ha cap diapositiva a mostrar")});
        t.prompter.clear();
        const QString sal = t.fx.file(QStringLiteral("altra.sal"), "x");
        t.load({L::line(sal), L::line(t.fx.picture(QStringLiteral("a.png")))});
        QVERIFY(!t.rows.canAccept());
        QCOMPARE(t.prompter.texts(),
                 QStringList{QStringLiteral("La primera diapositiva no pot ser una altra "
                                            "presentació (sal)")});
        QCOMPARE(t.prompter.shown.back().kind, MsgKind::Error);
        // Editing the last accessory slides of a generated quiz, the rule is off.
        t.rows.firstRowRule = false;
        QVERIFY(t.rows.canAccept());
        t.rows.firstRowRule = true;
        t.load({L::line(QString(), QStringLiteral("O"), sal)});
        t.prompter.clear();
        QVERIFY(!t.rows.canAccept());
        QVERIFY(t.prompter.anyContains(QStringLiteral("un arxiu a obrir")));
    }

    void checkListSetsValidity()
    {
        Rows t;
        const QString a = t.fx.picture(QStringLiteral("a.png"));
        t.load({L::line(a, QStringLiteral("*9")),
                L::line(a, QStringLiteral("XP"), QString(), QStringLiteral("a|b")),
                L::line(a, QString(), QString(), QString(), QString(),
                        t.fx.path(QStringLiteral("no.mp3"))),
                L::line(QString(), QStringLiteral("O"), t.fx.path(QStringLiteral("no.doc")))});
        QFile::remove(a);
        QStringList lines = t.rows.checkList();
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines[0].startsWith(QStringLiteral("1: no s'ha trobat\r\n(")));
        QVERIFY(!t.rows.flag(0, FileListRows::Valid));
        QVERIFY(!t.rows.flag(2, R::AudioValid));
        QVERIFY(!t.rows.flag(3, R::OpenValid));
        QVERIFY(lines.last().startsWith(QStringLiteral("4: no s'ha trobat")));
        // With the picture back: the jump beyond the list and the question are reported.
        t.fx.picture(QStringLiteral("a.png"));
        lines = t.rows.checkList();
        QVERIFY(lines.contains(QStringLiteral(
            "1: Assignació d'un número de diapositiva (9) més enllà del final de la llista (4)")));
        QVERIFY(lines.contains(QStringLiteral("2: No hi ha assignada la pregunta")));
        QVERIFY(lines.contains(QStringLiteral("2: No hi ha assignada una resposta correcta")));
        QVERIFY(t.rows.flag(0, FileListRows::Valid));
    }

    void positionNumbers_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("atEnd");
        QTest::addColumn<QString>("plain");
        QTest::newRow("end") << u"foto - 12"_s << true << u"foto"_s;
        QTest::newRow("end shortest") << u"a - 1"_s << true << u"a"_s;
        QTest::newRow("end too short") << u" - 1"_s << true << u" - 1"_s;
        QTest::newRow("end not a number") << u"foto - x"_s << true << u"foto - x"_s;
        QTest::newRow("end no dash") << u"foto 12"_s << true << u"foto 12"_s;
        QTest::newRow("start") << u"07 - foto"_s << false << u"foto"_s;
        QTest::newRow("start 3 digits") << u"107 - foto"_s << false << u"foto"_s;
        QTest::newRow("start too far") << u"1077 - foto"_s << false << u"1077 - foto"_s;
        QTest::newRow("start not a digit") << u"a1 - foto"_s << false << u"a1 - foto"_s;
    }
    void positionNumbers()
    {
        QFETCH(QString, name);
        QFETCH(bool, atEnd);
        QFETCH(QString, plain);
        QCOMPARE(R::withoutPositionNumber(name, atEnd), plain);
        QCOMPARE(R::withoutPositionNumber(R::withPositionNumber(plain, 7, 2, atEnd), atEnd), plain);
    }

    void numberingFilesOnDisk()
    {
        Rows t;
        QStringList lines = t.pictures(3);
        lines << lines[0]; // the same file twice
        lines << L::line(t.fx.path(QStringLiteral("gone.png")));
        t.load(lines);
        t.fx.picture(QStringLiteral("2 - p2.png")); // the name p2 would take is taken
        QVERIFY(t.rows.numberFiles(true));
        QVERIFY(QFileInfo::exists(t.fx.path(QStringLiteral("1 - p1.png"))));
        QVERIFY(QFileInfo::exists(t.fx.path(QStringLiteral("3 - p3.png"))));
        QVERIFY(QFileInfo::exists(t.fx.path(QStringLiteral("p2.png"))));
        QCOMPARE(t.rows.text(0, FileListRows::Name), QStringLiteral("1 - p1"));
        QCOMPARE(t.rows.text(1, FileListRows::Name), QStringLiteral("p2"));
        QCOMPARE(t.rows.text(2, FileListRows::Name), QStringLiteral("3 - p3"));
        QCOMPARE(t.rows.text(3, FileListRows::Name), QStringLiteral("1 - p1"));
        QCOMPARE(t.rows.text(4, FileListRows::Name), QStringLiteral("gone"));
        QVERIFY(t.rows.numberFiles(false));
        QCOMPARE(t.rows.text(0, FileListRows::Name), QStringLiteral("p1"));
        QCOMPARE(t.rows.text(2, FileListRows::Name), QStringLiteral("p3"));
        QCOMPARE(t.rows.text(3, FileListRows::Name), QStringLiteral("p1"));
        QVERIFY(QFileInfo::exists(t.fx.path(QStringLiteral("p1.png"))));
        QVERIFY(t.rows.modified);
        // The numbered names at the end of the name instead.
        t.options.SetPosNumberFNAtEnd = true;
        QVERIFY(t.rows.numberFiles(true));
        QCOMPARE(t.rows.text(2, FileListRows::Name), QStringLiteral("p3 - 3"));

        Rows none;
        none.load({L::line(QString(), QString(), QStringLiteral("t"))});
        QVERIFY(!none.rows.numberFiles(true));
        QCOMPARE(none.prompter.texts(), QStringList{QStringLiteral("No hi ha cap arxiu vàlid")});
    }

    void closeRuleAfterThreePosts()
    {
        Rows t;
        t.load(t.pictures(2));
        t.rows.setTime(v({0}), 1);
        t.rows.setTime(v({0}), 2);
        QVERIFY(t.rows.canClose(false));
        t.rows.setTime(v({0}), 3);
        t.prompter.answers = {MsgButton::No};
        QVERIFY(!t.rows.canClose(false));
        QCOMPARE(t.prompter.shown.back().text,
                 QStringLiteral("Segur que voleu abandonar les modificacions de la taula?"));
        QVERIFY(t.rows.canClose(true));
    }

    void gridColours()
    {
        Rows t;
        t.load({L::line(t.fx.picture(QStringLiteral("a.png"))),
                L::line(t.fx.path(QStringLiteral("no.png"))),
                L::line(t.fx.picture(QStringLiteral("b.png")), QStringLiteral("H")),
                L::line(QString(), QStringLiteral("O"), t.fx.path(QStringLiteral("no.doc")))});
        QCOMPARE(t.rows.cellColors(0, 1, false).text, QColor(0, 0, 255));
        QCOMPARE(t.rows.cellColors(1, 1, false).text, QColor(128, 128, 128));
        QCOMPARE(t.rows.cellColors(2, 1, false).text, QColor(128, 128, 0));
        QCOMPARE(t.rows.cellColors(1, 1, true).background, QColor(0, 255, 255));
        QCOMPARE(t.rows.cellColors(0, 1, true).text, QColor(255, 255, 255));
        // The open-file row's document cell is grey when the document is missing.
        int promptColumn = -1;
        for (int c = 0; c < t.rows.columnCount(); ++c)
            if (t.rows.headerData(c, Qt::Horizontal).toString() == QLatin1String("Preg./1rs para."))
                promptColumn = c;
        QVERIFY(promptColumn > 0);
        QCOMPARE(t.rows.cellColors(3, promptColumn, false).text, QColor(128, 128, 128));
    }
};

QTEST_GUILESS_MAIN(SlideListRowsTest)
#include "SlideListRowsTest.moc"
