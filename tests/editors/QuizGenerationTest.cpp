#include "editors/QuizGeneration.h"
#include "presentation/SlideList.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"
#include "support/Utf8Strings.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

MemTable words(std::initializer_list<std::pair<const char *, const char *>> rows)
{
    MemTable t = makeWordTable();
    for (const auto &[w, m] : rows) {
        MemTable::Record r = t.emptyRecord();
        (void)t.setField(r, 0, QString::fromUtf8(w));
        (void)t.setField(r, 1, QString::fromUtf8(m));
        (void)t.append(r);
    }
    return t;
}

struct SoundRow
{
    QString fn;
    int x = -1, y = -1;
    QString audio;
    QString meaning;
};

MemTable sounds(const std::vector<SoundRow> &rows)
{
    MemTable t = makeSoundTable();
    for (const SoundRow &s : rows) {
        MemTable::Record r = t.emptyRecord();
        (void)t.setField(r, 0, s.fn);
        (void)t.setField(r, 1, s.x);
        (void)t.setField(r, 2, s.y);
        (void)t.setField(r, 3, s.audio);
        (void)t.setField(r, 4, s.meaning);
        (void)t.append(r);
    }
    return t;
}

QString field(const QString &line, int n)
{
    return line.section(QLatin1Char('\t'), n, n);
}

} // namespace

class QuizGenerationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every distinct answer once, the slide's own marked; a repeated word is not offered again.
    void wordsWithRadioButtons()
    {
        MemTable t = words({{"gos", "dog"}, {"gat", "cat"}, {"gat", "kitten"}});
        GenerationChoices c;
        const GeneratedSlides g = GenerateWordSlides(t, c, FontSettings());
        // Sorted by the answer column, then by the question column.
        QCOMPARE(t.record(0)[1].toString(), u"cat"_s);
        QCOMPARE(t.record(2)[0].toString(), u"gos"_s);
        QCOMPARE(g.lines.size(), 3);
        QCOMPARE(g.lines[0], u"\tXP\tcat\t*gat|gos///\t\t"_s);
        QCOMPARE(g.lines[1], u"\tXP\tkitten\t*gat|gos///\t\t"_s);
        QCOMPARE(g.lines[2], u"\tXP\tdog\tgat///|*gos\t\t"_s);
        QCOMPARE(g.longestAnswers, 11);
        QCOMPARE(g.answerWidth, -1);

        c.prompt = PromptChoice::Omit;
        c.randomAnswers = true;
        const GeneratedSlides omitted = GenerateWordSlides(t, c, FontSettings());
        QCOMPARE(field(omitted.lines[0], 1), u"XR"_s);
        QVERIFY(field(omitted.lines[0], 2).isEmpty());
        c.prompt = PromptChoice::Generic;
        c.genericPrompt = u"Tradueix"_s;
        c.randomAnswers = false;
        for (const QString &l : GenerateWordSlides(t, c, FontSettings()).lines) {
            QCOMPARE(field(l, 1), u"XP"_s);
            QCOMPARE(field(l, 2), u"Tradueix"_s);
        }
        c.genericPrompt = u"  "_s;
        QCOMPARE(CheckGenericPrompt(c).error(),
                 u"Si escolliu una pregunta genèrica, cal formular-la"_s);
        // Swapped: the meaning is the answer.
        c = GenerationChoices();
        c.swapped = true;
        QCOMPARE(GenerateWordSlides(t, c, FontSettings()).lines[0],
                 u"\tXP\tgat\t*cat|dog///|kitten///\t\t"_s);
        QCOMPARE(SwappedMeaning(u"un|dos"_s), u"un. dos"_s);
    }

    void wordsWithOneAnswer()
    {
        MemTable t = words({{"gos", "dog"}, {"&Girona", "city"}});
        GenerationChoices c;
        c.answers = QuizAnswers::Single;
        c.prompt = PromptChoice::Omit; // a single answer always asks its question
        const GeneratedSlides g = GenerateWordSlides(t, c, FontSettings());
        QCOMPARE(g.lines, sl({"\tXP\tdog\tgos\t\t", "\tXP\tcity\t&Girona\t\t"}));
        QFontMetrics fm(fontFromSettings(FontSettings()));
        QCOMPARE(g.answerWidth, fm.horizontalAdvance(u"Girona"_s) + fm.horizontalAdvance(u"H"_s));
    }

    void soundTables()
    {
        MemTable t = sounds({{u"/f/a.jpg"_s, 100, 200, u"/f/a.mp3"_s, u"Casa"_s},
                             {QString(), -1, -1, u"/f/b.wav"_s, u"Ocell"_s},
                             {u"/f/c.png"_s, -1, -1, QString(), u"Casa"_s}});
        GenerationChoices c;
        GeneratedSlides g = GenerateSoundSlides(t, c, FontSettings());
        // A picture's track is not the slide's; a sound-only entry is a title with its track.
        QCOMPARE(g.lines[0], u"/f/a.jpg\tx100y200X\t\t*Casa|Ocell///\t\t"_s);
        // A picture table is not sorted: only a repeat of the answer just before is left out
        // (the player shows a repeated answer once).
        QCOMPARE(g.lines[1], u"\tX\t\tCasa///|*Ocell|Casa///\t\t/f/b.wav"_s);
        QCOMPARE(g.lines[2], u"/f/c.png\tX\t\tOcell///|*Casa\t\t"_s);
        c.prompt = PromptChoice::Generic;
        c.genericPrompt = u"Què és?"_s;
        c.randomAnswers = true;
        g = GenerateSoundSlides(t, c, FontSettings());
        QCOMPARE(field(g.lines[1], 1), u"XPR"_s);
        QCOMPARE(field(g.lines[1], 2), u"Què és?"_s);
        c.answers = QuizAnswers::Single;
        g = GenerateSoundSlides(t, c, FontSettings());
        QCOMPARE(g.lines[0], u"/f/a.jpg\tx100y200XP\tQuè és?\tCasa\t\t"_s);
        QVERIFY(g.answerWidth >= 10);
    }

    void accessorySlides()
    {
        const AccessorySlides a =
            LoadAccessorySlides(sl({"\t\tTítol\t\t\t", "\tXP\tq1\t*a|b\t\t", "\tXP\tq2\t*a|b\t\t",
                                    "x.jpg\tX\t\t*a\t\t", "\t\tFi\t\t\t", "\t\tAdéu\t\t\t"}));
        QCOMPARE(a.first, sl({"\t\tTítol\t\t\t"}));
        QCOMPARE(a.last, sl({"\t\tFi\t\t\t", "\t\tAdéu\t\t\t"}));
        QVERIFY(a.firstPresent && a.lastPresent);
        AccessorySlides off = a;
        off.firstPresent = false;
        QCOMPARE(AssembleQuiz(off, sl({"g"})), sl({"g", "\t\tFi\t\t\t", "\t\tAdéu\t\t\t"}));
        QVERIFY(LoadAccessorySlides({}).first.isEmpty());
    }

    void settingsForAQuiz()
    {
        PresentationSettings s;
        s.PresSort = PresSortMode::Memorisation;
        s.PresDRandom = RandomScope::Range;
        QVERIFY(AdaptSettingsForQuiz(s, MeaningKind::Words));
        QCOMPARE(s.PresSort, PresSortMode::Random);
        QCOMPARE(s.PresDRandom, RandomScope::All);
        QVERIFY(s.PresWithITName); // a words quiz shows no file name anyway
        QVERIFY(AdaptSettingsForQuiz(s, MeaningKind::Sounds));
        QVERIFY(!s.PresWithITName && !s.PresWithITPath && !s.PresWithITExt);
        QVERIFY(!AdaptSettingsForQuiz(s, MeaningKind::Sounds));
        s.PresDRandom = RandomScope::WithOmissions;
        s.OmissionLastSlide = true;
        QVERIFY(AdaptSettingsForQuiz(s, MeaningKind::Words));
        QVERIFY(!s.OmissionLastSlide);
    }

    // The random margins over F first and L last accessory slides and N entries.
    void randomMargins_data()
    {
        QTest::addColumn<int>("sort");
        QTest::addColumn<int>("scope");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("scopeAfter");
        QTest::addColumn<bool>("omitFirst");
        QTest::addColumn<bool>("omitLast");
        QTest::addColumn<int>("inf");
        QTest::addColumn<int>("sup");
        QTest::addColumn<bool>("changed");
        QTest::newRow("one of each") << 1 << 0 << 1 << 1 << 1 << true << true << 0 << 0 << true;
        QTest::newRow("two first, one last")
            << 1 << 0 << 2 << 1 << 2 << false << false << 3 << 12 << true;
        QTest::newRow("one first only") << 1 << 0 << 1 << 0 << 1 << true << false << 0 << 0 << true;
        QTest::newRow("none, all") << 1 << 0 << 0 << 0 << 0 << false << false << 1 << 10 << true;
        QTest::newRow("none, omissions")
            << 1 << 1 << 0 << 0 << 0 << false << false << 1 << 10 << true;
        QTest::newRow("omissions, several")
            << 1 << 1 << 3 << 0 << 2 << false << false << 4 << 13 << true;
        QTest::newRow("range kept") << 1 << 2 << 2 << 2 << 2 << false << false << 3 << 12 << true;
        QTest::newRow("sequential untouched")
            << 0 << 0 << 2 << 2 << 0 << false << false << 0 << 0 << false;
    }
    void randomMargins()
    {
        QFETCH(int, sort);
        QFETCH(int, scope);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, scopeAfter);
        QFETCH(bool, omitFirst);
        QFETCH(bool, omitLast);
        QFETCH(int, inf);
        QFETCH(int, sup);
        QFETCH(bool, changed);
        PresentationSettings s;
        s.PresSort = PresSortMode(sort);
        s.PresDRandom = RandomScope(scope);
        QCOMPARE(AdaptRandomMargins(s, first, last, 10), changed);
        QCOMPARE(int(s.PresDRandom), scopeAfter);
        QCOMPARE(s.OmissionFirstSlide, omitFirst);
        QCOMPARE(s.OmissionLastSlide, omitLast);
        QCOMPARE(int(s.RandomRangeInf), inf);
        QCOMPARE(int(s.RandomRangeSup), sup);
        // A second time changes nothing more.
        QVERIFY(!AdaptRandomMargins(s, first, last, 10));
    }

    void soundTableCheck()
    {
        SlideListFixture fx;
        const QString a = fx.picture(u"a.png"_s);
        const QString w = fx.file(u"s.wav"_s, "x");
        MemTable t = sounds({{a, -1, -1, QString(), u"Casa"_s},
                             {a, 10, 20, QString(), u"Arbre"_s},
                             {a, -1, -1, QString(), u"casa"_s},
                             {fx.path(u"no.png"_s), -1, -1, QString(), u"Casa"_s},
                             {QString(), -1, -1, w, u"So"_s}});
        // A row left without a meaning (the editor's rows may be).
        MemTable::Record empty = t.record(0);
        empty[4] = QVariant();
        t.insertAt(t.recordCount(), empty);
        const QStringList lines = CheckSoundTableRows(t);
        QCOMPARE(lines, (QStringList{u"3: Duplicació de l'arxiu "_s + a,
                                     u"3: Duplicació del significat casa"_s,
                                     u"4: no s'ha trobat\r\n("_s + fx.path(u"no.png"_s) + u")"_s,
                                     u"6: Duplicació de l'arxiu "_s + a,
                                     u"6: No hi ha el significat/títol definit"_s,
                                     u"Hi ha diferents tipus de d'arxius"_s}));
        QVERIFY(CheckSoundTableRows(sounds({{a, -1, -1, QString(), u"U"_s}})).isEmpty());
    }

    void writing()
    {
        SlideListFixture fx;
        FakePrompter p;
        const QString target = fx.path(u"q.sal"_s);
        QVERIFY(WriteQuiz(target, sl({"\tX\t\t*a\t\t"}), 10, p).ok());
        QCOMPARE(p.texts(), QStringList{u"S'ha creat la presentació '"_s + target + u"'"_s});
        p.clear();
        // An existing one: No leaves it as it was.
        p.answers = {MsgButton::No};
        const Fallible<void> refused = WriteQuiz(target, sl({"\tX\t\t*b\t\t"}), 300, p);
        QVERIFY(!refused.ok() && refused.error().isEmpty());
        SlideList list;
        QVERIFY(list.load(target).ok());
        QCOMPARE(list.lines, sl({"\tX\t\t*a\t\t"}));
        p.answers = {MsgButton::Yes};
        QVERIFY(WriteQuiz(target, sl({"\tX\t\t*b\t\t"}), 300, p).ok());
        QVERIFY(p.anyContains(u"sobrepassa els 255 caràcters"_s));
        // A folder is no target: nothing is written.
        QDir(fx.dir()).mkdir(u"carpeta.sal"_s);
        p.clear();
        QVERIFY(!WriteQuiz(fx.path(u"carpeta.sal"_s), sl({"\tX\t\t*b\t\t"}), 1, p).ok());
        QVERIFY(p.anyContains(u"S'ha produït un error en desar"_s));
    }
};

QTEST_MAIN(QuizGenerationTest)
#include "QuizGenerationTest.moc"
