#include "presentation/PresentationCheck.h"
#include "presentation/SlideList.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"
#include "tables/MeaningTables.h"

#include <QDir>
#include <QTest>

using L = SlideListFixture;

namespace {

// Lines written with "{dir}" for the fixture's folder.
QStringList inFolder(const QStringList &lines, const QString &dir)
{
    QStringList out;
    for (const QString &l : lines)
        out << QString(l).replace(QStringLiteral("{dir}"), dir);
    return out;
}

// A sound table record: picture, audio, meaning.
void addSound(MeaningTable &t, const QString &picture, const QString &audio)
{
    MemTable::Record r = t.table.emptyRecord();
    QVERIFY(t.table.setField(r, t.table.fieldIndex(QStringLiteral("FN")), picture));
    QVERIFY(t.table.setField(r, t.table.fieldIndex(QStringLiteral("AudioFN")), audio));
    QVERIFY(
        t.table.setField(r, t.table.fieldIndex(QStringLiteral("Meaning")), QStringLiteral("m")));
    QVERIFY(!t.table.append(r).has_value());
}

} // namespace

class PresentationCheckTest : public QObject
{
    Q_OBJECT

    SlideListFixture m_fx;
    QString m_pic, m_wav, m_doc;

private Q_SLOTS:
    void initTestCase()
    {
        m_pic = m_fx.picture(QStringLiteral("p.png"));
        m_wav = m_fx.file(QStringLiteral("s.wav"), "RIFF");
        m_doc = m_fx.file(QStringLiteral("d.txt"), "text");
        QVERIFY(QDir(m_fx.dir()).mkdir(QStringLiteral("carpeta.jpg")));
    }

    // Every line of the error list, as the check writes it.
    void errorLines_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("hidden");
        const QString pic = QStringLiteral("{dir}/p.png");
        const QString title = QString();
        const auto q = [&](const QString &flags, const QString &answers,
                           const QString &prompt = QStringLiteral("Pregunta?")) {
            return L::line(pic, flags, prompt, answers);
        };

        QTest::newRow("clean") << QStringList{L::line(pic), L::line(title, {}, QStringLiteral("T")),
                                              L::line(pic, {}, {}, {}, {},
                                                      QStringLiteral("{dir}/s.wav"))}
                               << QStringList{} << 0;
        QTest::newRow("missing picture")
            << QStringList{L::line(pic), L::line(QStringLiteral("{dir}/falta.jpg"))}
            << QStringList{QStringLiteral("2: no s'ha trobat\r\n({dir}/falta.jpg)")} << 0;
        QTest::newRow("a folder is no picture")
            << QStringList{L::line(QStringLiteral("{dir}/carpeta.jpg"))}
            << QStringList{QStringLiteral("1: no s'ha trobat\r\n({dir}/carpeta.jpg)")} << 0;
        QTest::newRow("unknown kind")
            << QStringList{L::line(QStringLiteral("{dir}/p.jpe"))}
            << QStringList{QStringLiteral("1: no es pot visualitzar/escoltar\r\n({dir}/p.jpe)")}
            << 0;
        QTest::newRow("audio missing and unplayable")
            << QStringList{L::line(pic, {}, {}, {}, {}, QStringLiteral("{dir}/falta.mp3")),
                           L::line(pic, {}, {}, {}, {}, QStringLiteral("{dir}/s.flac"))}
            << QStringList{QStringLiteral("1: no s'ha trobat\r\n({dir}/falta.mp3)"),
                           QStringLiteral("2: no es pot visualitzar/escoltar\r\n({dir}/s.flac)")}
            << 0;
        QTest::newRow("document")
            << QStringList{L::line(title, QStringLiteral("O"), QStringLiteral("{dir}/d.txt")),
                           L::line(title, QStringLiteral("OC"), QStringLiteral("{dir}/no.doc"))}
            << QStringList{QStringLiteral("2: no s'ha trobat\r\n({dir}/no.doc)")} << 0;
        // Every bad file is listed; the slide's jump and question are not looked at then.
        QTest::newRow("bad files end the slide's check")
            << QStringList{L::line(QStringLiteral("{dir}/x.jpg"), QStringLiteral("X*0"), {}, {}, {},
                                   QStringLiteral("{dir}/x.wav"))}
            << QStringList{QStringLiteral("1: no s'ha trobat\r\n({dir}/x.jpg)"),
                           QStringLiteral("1: no s'ha trobat\r\n({dir}/x.wav)")}
            << 0;
        QTest::newRow("jump on a question")
            << QStringList{q(QStringLiteral("X*2"), QStringLiteral("*a|b")), L::line(pic)}
            << QStringList{QStringLiteral("1: No s'admet assignació d'un número de diapositiva on "
                                          "anar en diapositives amb pregunta")}
            << 0;
        QTest::newRow("slide jumps")
            << QStringList{L::line(pic, QStringLiteral("*7")),
                           L::line(pic, QStringLiteral("*0")),
                           L::line(pic, QStringLiteral("B*-2")),
                           L::line(pic, QStringLiteral("*4")),
                           L::line(pic, QStringLiteral("*1")),
                           L::line(pic, QStringLiteral("*abc"))}
            << QStringList{QStringLiteral("1: Assignació d'un número de diapositiva (7) més enllà "
                                          "del final de la llista (6)"),
                           QStringLiteral("2: Assignació d'un número de diapositiva invàlid (0)"),
                           QStringLiteral("3: Assignació d'un número de diapositiva invàlid (-2)"),
                           QStringLiteral("4: El número de diapositiva on anar és el mateix que el "
                                          "de la diapositiva actual")}
            << 0;
        QTest::newRow("jump beyond the end")
            << QStringList{L::line(pic, QStringLiteral("*3")), L::line(pic)}
            << QStringList{QStringLiteral("1: Assignació d'un número de diapositiva (3) més enllà "
                                          "del final de la llista (2)")}
            << 0;
        QTest::newRow("prompt and answers missing")
            << QStringList{q(QStringLiteral("XP"), QStringLiteral("*a|b"), QString()),
                           q(QStringLiteral("X"), QString()),
                           q(QStringLiteral("XP"), QString(), QString())}
            << QStringList{QStringLiteral("1: No hi ha assignada la pregunta"),
                           QStringLiteral("2: No hi ha assignada cap resposta"),
                           QStringLiteral("3: No hi ha assignada la pregunta"),
                           QStringLiteral("3: No hi ha assignada cap resposta")}
            << 0;
        QTest::newRow("answer suffixes")
            << QStringList{q(QStringLiteral("X"), QStringLiteral("*a//|b")),
                           q(QStringLiteral("X"), QStringLiteral("*a|b//*x")),
                           q(QStringLiteral("X"), QStringLiteral("a//*9|b//*0|c//*3")),
                           q(QStringLiteral("X"), QStringLiteral("*a|b//<x"))}
            << QStringList{QStringLiteral("1: Resposta 1: Sense reacció a la resposta"),
                           QStringLiteral("2: Resposta 2: Assignació de número de diapositiva que "
                                          "no és un número (*x)"),
                           QStringLiteral("3: Resposta 1: Assignació d'un número de diapositiva "
                                          "(9) més enllà del final de la llista (4)"),
                           QStringLiteral("3: Resposta 2: Assignació d'un número de diapositiva "
                                          "invàlid (0)"),
                           QStringLiteral("3: Resposta 3: El número de diapositiva on anar és el "
                                          "mateix que el de la diapositiva actual"),
                           QStringLiteral("4: Resposta 2: Assignació de número de puntuació que no "
                                          "és un número (<x)")}
            << 0;
        // Pieces are counted with the empty ones.
        QTest::newRow("answer numbers count empty pieces")
            << QStringList{q(QStringLiteral("X"), QStringLiteral("*a||b//"))}
            << QStringList{QStringLiteral("1: Resposta 3: Sense reacció a la resposta")} << 0;
        QTest::newRow("no correct answer")
            << QStringList{q(QStringLiteral("XR"), QStringLiteral("a|b|c")),
                           q(QStringLiteral("X"), QStringLiteral("a//<x|b"))}
            << QStringList{QStringLiteral("1: No hi ha assignada una resposta correcta"),
                           QStringLiteral("2: Resposta 1: Assignació de número de puntuació que no "
                                          "és un número (<x)"),
                           QStringLiteral("2: No hi ha assignada una resposta correcta")}
            << 0;
        QTest::newRow("answers that need no star")
            << QStringList{q(QStringLiteral("X"), QStringLiteral("a//<1|b//<0,5")),
                           q(QStringLiteral("X"), QStringLiteral("a//*1|b")),
                           q(QStringLiteral("XP"), QStringLiteral("Roma")),
                           q(QStringLiteral("XP"), QStringLiteral("Roma|")),
                           q(QStringLiteral("XP"), QStringLiteral("Roma||")),
                           q(QStringLiteral("X"), QStringLiteral("*a//molt bé|b//llàstima"))}
            << QStringList{} << 0;
        QTest::newRow("notes without question are not answers")
            << QStringList{L::line(pic, QString(), QString(), QStringLiteral("a|b//"))}
            << QStringList{} << 0;
        QTest::newRow("hidden slides are counted and checked")
            << QStringList{L::line(pic, QStringLiteral("H")),
                           L::line(QStringLiteral("{dir}/falta.png"), QStringLiteral("HL")),
                           L::line(pic)}
            << QStringList{QStringLiteral("2: no s'ha trobat\r\n({dir}/falta.png)")} << 2;
    }

    void errorLines()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, expected);
        QFETCH(int, hidden);
        FakePrompter prompter;
        const PresentationCheckResult r = CheckSlideLines(inFolder(lines, m_fx.dir()), &prompter);
        QCOMPARE(r.errors, inFolder(expected, m_fx.dir()));
        QCOMPARE(r.hiddenCount, hidden);
        QVERIFY(!r.stopped());
        QVERIFY(prompter.shown.empty());
    }

    void summaries_data()
    {
        QTest::addColumn<int>("hidden");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << 0 << int(MsgKind::Information)
                              << QStringLiteral("La presentació és correcte");
        QTest::newRow("one") << 1 << int(MsgKind::Warning)
                             << QStringLiteral("Hi ha una diapositiva amagada");
        QTest::newRow("two") << 2 << int(MsgKind::Warning)
                             << QStringLiteral("Hi ha 2 diapositives amagades");
    }

    void summaries()
    {
        QFETCH(int, hidden);
        QFETCH(int, kind);
        QFETCH(QString, text);
        const CheckSummary s = CheckSummaryFor(hidden);
        QCOMPARE(int(s.kind), kind);
        QCOMPARE(s.text, text);
    }

    // A malformed line ends the check at once with its message: no report, no summary.
    void malformedLineStopsTheCheck()
    {
        FakePrompter prompter;
        const PresentationCheckResult r = CheckSlideLines(
            {L::line(QStringLiteral("falta.jpg")), QStringLiteral("a\tb\tc"), L::line(m_pic)},
            &prompter);
        QVERIFY(r.stopped());
        QCOMPARE(r.malformedLine, 2);
        QVERIFY(r.errors.isEmpty());
        QCOMPARE(prompter.texts(), QStringList{MalformedLineMessage(2)});
    }

    // The image-sound table comes first; with a problem there the list is not examined.
    void soundTableFirst()
    {
        SlideList list;
        list.lines = {L::line(m_fx.path(QStringLiteral("falta.jpg")))};
        MeaningTable table(MeaningKind::Sounds);
        addSound(table, m_pic, m_wav);
        addSound(table, m_fx.path(QStringLiteral("cap.png")), QString());
        addSound(table, QString(), m_fx.path(QStringLiteral("s.txt")));
        PresentationCheckResult r = CheckPresentation(list, table, nullptr);
        QCOMPARE(r.scope, PresentationCheckResult::Scope::SoundTable);
        QCOMPARE(
            r.errors,
            QStringList(
                {QStringLiteral("no s'ha trobat\r\n(%1)").arg(m_fx.path(QStringLiteral("cap.png"))),
                 QStringLiteral("no es pot visualitzar/escoltar\r\n(%1)")
                     .arg(m_fx.path(QStringLiteral("s.txt")))}));

        // A clean table lets the list be checked.
        MeaningTable clean(MeaningKind::Sounds);
        addSound(clean, m_pic, m_wav);
        r = CheckPresentation(list, clean, nullptr);
        QCOMPARE(r.scope, PresentationCheckResult::Scope::SlideList);
        QCOMPARE(r.errors.size(), 1);
        QVERIFY(r.errors[0].startsWith(QStringLiteral("1: no s'ha trobat")));
    }

    // The editor's sink: a warning with what is removed, and the faulty part taken away.
    void warningsRemoveTheFaultyPart()
    {
        FakePrompter prompter;
        WarningRemovalSink sink(prompter);
        QStringList pieces = {QStringLiteral("*a//"), QStringLiteral("b//*7"),
                              QStringLiteral("c//*x"), QStringLiteral("d//bé")};
        QVERIFY(!ValidateAnswers(4, 2, pieces, SelfJumpTest::Applies, sink));
        QCOMPARE(pieces, QStringList({QStringLiteral("*a"), QStringLiteral("b"),
                                      QStringLiteral("c"), QStringLiteral("d//bé")}));
        const QString cut = QStringLiteral(",\r\ns'eliminarà // i el text que segueixi");
        QCOMPARE(prompter.texts(),
                 QStringList({QStringLiteral("Resposta 1: Sense reacció a la resposta") + cut,
                              QStringLiteral("Resposta 2: Assignació d'un número de diapositiva "
                                             "(7) més enllà del final de la llista (4)") +
                                  cut,
                              QStringLiteral("Resposta 3: Assignació de número de diapositiva que "
                                             "no és un número (*x)") +
                                  cut}));
        QCOMPARE(prompter.shown[0].kind, MsgKind::Warning);

        // A jump removed does not count as the question's jump: a correct answer is asked for.
        prompter.clear();
        pieces = {QStringLiteral("a//*9"), QStringLiteral("b")};
        ValidateAnswers(3, 1, pieces, SelfJumpTest::Applies, sink);
        QCOMPARE(prompter.texts().size(), 2);
        QCOMPARE(prompter.texts()[1],
                 QStringLiteral("No hi ha assignada una resposta correcta,\r\nper fer-ho cal "
                                "posar '*' davant de la correcta"));
        QCOMPARE(pieces, QStringList({QStringLiteral("a"), QStringLiteral("b")}));

        prompter.clear();
        int jump = 3;
        QVERIFY(!ValidateSlideJump(5, 3, jump, false, SelfJumpTest::Applies, sink));
        QCOMPARE(jump, -1);
        QCOMPARE(prompter.texts(),
                 QStringList{QStringLiteral("El número de diapositiva on anar és el mateix que el "
                                            "de la diapositiva actual,\r\ns'eliminarà el número "
                                            "on anar")});
    }

    // While rows move the editor skips the to-itself test; every other test still applies.
    void selfTestCanBeSkipped()
    {
        ErrorListSink sink;
        int jump = 3;
        QVERIFY(ValidateSlideJump(5, 3, jump, false, SelfJumpTest::Skipped, sink));
        QStringList pieces = {QStringLiteral("*a//*3"), QStringLiteral("b//*6")};
        QVERIFY(!ValidateAnswers(5, 3, pieces, SelfJumpTest::Skipped, sink));
        QCOMPARE(sink.lines, QStringList{QStringLiteral("3: Resposta 2: Assignació d'un número de "
                                                        "diapositiva (6) més enllà del final de "
                                                        "la llista (5)")});
        QCOMPARE(jump, 3);
    }

    void answerPieces_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("pieces");
        const auto list = [](const char *csv) {
            return QString::fromLatin1(csv).split(QLatin1Char(','));
        };
        QTest::newRow("plain") << QStringLiteral("a|b") << list("a,b");
        QTest::newRow("trailing bar") << QStringLiteral("a|b|") << list("a,b");
        QTest::newRow("empty kept") << QStringLiteral("a||b") << list("a,,b");
        QTest::newRow("two bars at the end") << QStringLiteral("a||") << list("a,");
        QTest::newRow("single") << QStringLiteral("a") << list("a");
    }

    void answerPieces()
    {
        QFETCH(QString, field);
        QFETCH(QStringList, pieces);
        QCOMPARE(SplitAnswerPieces(field), pieces);
    }

    // "&Refer": the pictures, tracks and documents moved next to the list are found there, every
    // path is rewritten and the list asks to be saved. Files not there are left alone.
    void relocationRewritesPathsToFilesThatExist()
    {
        SlideListFixture fx;
        fx.picture(QStringLiteral("a.png"));
        fx.picture(QStringLiteral("b.png"));
        fx.file(QStringLiteral("so.wav"), "RIFF");
        fx.file(QStringLiteral("doc.txt"), "x");
        SlideList list;
        list.lines = {L::line(QStringLiteral("C:\\vell\\a.png"), QStringLiteral("B"),
                              QStringLiteral("n"), {}, QStringLiteral("5"),
                              QStringLiteral("/vell/so.wav")),
                      L::line(QStringLiteral("/vell/b.png")),
                      L::line(QString(), QStringLiteral("O"), QStringLiteral("C:\\docs\\doc.txt")),
                      L::line(QStringLiteral("/vell/no.png"))};
        FakePrompter prompter;
        PresentationCheckResult before = CheckSlideLines(list.lines, &prompter);
        QCOMPARE(before.errors.size(), 5);
        QVERIFY(RelocateCheckedSlideList(list, fx.dir(), &prompter));
        QVERIFY(list.modified);
        const QString d = fx.dir() + QLatin1Char('/');
        QCOMPARE(list.lines,
                 QStringList(
                     {L::line(d + QStringLiteral("a.png"), QStringLiteral("B"), QStringLiteral("n"),
                              {}, QStringLiteral("5"), d + QStringLiteral("so.wav")),
                      L::line(d + QStringLiteral("b.png")),
                      L::line(QString(), QStringLiteral("O"), d + QStringLiteral("doc.txt")),
                      L::line(QStringLiteral("/vell/no.png"))}));
        QCOMPARE(CheckSlideLines(list.lines, &prompter).errors,
                 QStringList{QStringLiteral("4: no s'ha trobat\r\n(/vell/no.png)")});

        // A malformed line stops the rewriting with its message.
        SlideList bad;
        bad.lines = {QStringLiteral("x.png\tB")};
        QVERIFY(!RelocateCheckedSlideList(bad, fx.dir(), &prompter));
        QVERIFY(!bad.modified);
        QCOMPARE(prompter.texts().last(), MalformedLineMessage(1));
    }

    void relocationOfTheSoundTable()
    {
        SlideListFixture fx;
        const QString here = fx.picture(QStringLiteral("gat.png"));
        fx.file(QStringLiteral("miol.wav"), "RIFF");
        MeaningTable table(MeaningKind::Sounds);
        table.fileName = fx.path(QStringLiteral("animals.sml"));
        addSound(table, QStringLiteral("D:\\fotos\\gat.png"), QStringLiteral("/sons/miol.wav"));
        addSound(table, here, QStringLiteral("/sons/cap.wav"));
        QCOMPARE(RelocateSoundTableFiles(table), 2);
        QVERIFY(table.table.modified);
        QCOMPARE(table.table.value(0, QStringLiteral("FN")).toString(), here);
        QCOMPARE(table.table.value(0, QStringLiteral("AudioFN")).toString(),
                 fx.path(QStringLiteral("miol.wav")));
        QCOMPARE(table.table.value(1, QStringLiteral("AudioFN")).toString(),
                 QStringLiteral("/sons/cap.wav"));
        QCOMPARE(CheckSoundTable(table.table),
                 QStringList{QStringLiteral("no s'ha trobat\r\n(/sons/cap.wav)")});
    }
};

QTEST_GUILESS_MAIN(PresentationCheckTest)
#include "PresentationCheckTest.moc"
