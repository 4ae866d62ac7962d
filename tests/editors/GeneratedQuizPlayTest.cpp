// A quiz made from a meaning table, played through the player from its first slide to the
// results file: the table is saved, the quiz generated and written beside it as the generation
// dialog does, opened as the main window opens a quiz it was just handed, and answered.

#include "editors/QuizGeneration.h"
#include "files/FileNames.h"
#include "player/PlayerEngine.h"
#include "player/PresentationSession.h"
#include "presentation/SlideList.h"
#include "support/FakePlayerView.h"
#include "support/FakePrompter.h"
#include "support/FakeScheduler.h"
#include "support/SlideListFixture.h"
#include "support/Utf8Strings.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

enum class Variant { WordsRadio, WordsTyped, PicturesRadio };

// What the viewer does on each question, keyed by the question's correct answer: each showing of
// the slide takes actions from the front until the run moves on. An action is a caption to click,
// keys to type into the answer box ("\n" is Enter), or "" to go on without answering.
using Script = QMap<QString, QStringList>;

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("<missing>");
    return f.readAll();
}

// The program as the main window holds it after the user was identified: the session in force,
// the player on the fake clock and view, results written for Anna into a folder of the course.
struct Program
{
    SlideListFixture course;
    FakePlayerView view;
    FakePrompter prompter;
    FakeScheduler clock;
    PresentationSession session{view, prompter};
    PlayerEngine engine{session, view, prompter, clock};

    Program()
    {
        // Results files compare their modification date with the clock's: run it today.
        clock.m_epoch = QDateTime::currentDateTime();
        session.Options.SaveIndividualConfigO = SaveConfigPolicy::Never;
        session.Options.Results.Write = true;
        session.Options.Results.Valid = true;
        session.Options.Results.Dir = course.dir();
        session.UserName = u"Anna"_s;
    }
    QString resultsFile() const { return course.path(u"Anna.txt"_s); }
};

// Saves a table as its editor does. Rows are the table's fields separated by TAB; in a pictures
// table a file field names a picture of the course, which is painted first.
QString saveTable(Program &p, const QString &name, const QStringList &rows)
{
    const bool words = name.endsWith(u".wml"_s);
    MeaningTable t(words ? MeaningKind::Words : MeaningKind::Sounds);
    for (const QString &row : rows) {
        QStringList fields = row.split(QLatin1Char('\t'));
        MemTable::Record r = t.table.emptyRecord();
        for (int f = 0; f < fields.size(); ++f) {
            QVariant v = fields[f];
            if (!words && f == 0 && !fields[f].isEmpty())
                v = p.course.picture(fields[f]);
            else if (!words && (f == 1 || f == 2))
                v = fields[f].toInt();
            (void)t.table.setField(r, f, v);
        }
        (void)t.table.append(r);
    }
    const QString path = p.course.path(name);
    return t.save(path, p.prompter).ok() ? path : QString();
}

// What the generation dialog does with a saved table, from its opening to "Crea": it adapts the
// settings in force, keeps the accessory slides of an earlier quiz of the same name, fixes the
// random margins around them, generates the question slides, assembles them and writes the quiz
// beside the table (saying Yes when asked to replace an earlier one). Returns the quiz's path,
// empty when it was not written.
QString generateAsTheDialogDoes(Program &p, const QString &tablePath,
                                const GenerationChoices &choices)
{
    PresentationSession &s = p.session;
    const MeaningKind kind =
        tablePath.endsWith(u".wml"_s) ? MeaningKind::Words : MeaningKind::Sounds;
    MeaningTable table(kind);
    if (!table.load(tablePath).ok())
        return QString();
    // The editor's check comes first for pictures and sounds.
    if (kind == MeaningKind::Sounds && !CheckSoundTableRows(table.table).isEmpty())
        return QString();
    const QString target = changeFileExt(tablePath, u".sal"_s);
    AccessorySlides accessory;
    SlideList earlier;
    if (QFileInfo(target).isFile() && earlier.load(target).ok())
        accessory = LoadAccessorySlides(earlier.lines);
    if (AdaptSettingsForQuiz(s.Settings, kind)) {
        s.SettingsModified = true;
        p.prompter.ShowInfo(AdaptedModeMessage());
    }
    if (!CheckGenericPrompt(choices).ok())
        return QString();
    const int entries = table.table.recordCount();
    if (AdaptRandomMargins(s.Settings, accessory.firstPresent ? int(accessory.first.size()) : 0,
                           accessory.lastPresent ? int(accessory.last.size()) : 0, entries)) {
        s.SettingsModified = true;
        p.prompter.ShowInfo(RandomMarginsMessage());
    }
    const GeneratedSlides generated =
        kind == MeaningKind::Words
            ? GenerateWordSlides(table.table, choices, s.Settings.FontAnswers)
            : GenerateSoundSlides(table.table, choices, s.Settings.FontAnswers);
    if (generated.answerWidth >= 0 && generated.answerWidth != s.Settings.EditAnswWidth) {
        s.Settings.EditAnswWidth = generated.answerWidth;
        s.SettingsModified = true;
    }
    if (QFileInfo(target).isFile())
        p.prompter.answers.push_back(MsgButton::Yes); // "Regravar la presentació '%s' existent?"
    if (!WriteQuiz(target, AssembleQuiz(accessory, generated.lines), generated.longestAnswers,
                   p.prompter)
             .ok())
        return QString();
    return target;
}

// An earlier quiz of the same name: title slides before and after one question.
void writeEarlierQuiz(Program &p, const QString &target, const QStringList &first,
                      const QStringList &last)
{
    QStringList lines;
    for (const QString &t : first)
        lines << SlideListFixture::line(QString(), QString(), t);
    lines << u"\tXP\tvell\t*sí|no\t\t"_s;
    for (const QString &t : last)
        lines << SlideListFixture::line(QString(), QString(), t);
    p.course.list(QFileInfo(target).fileName(), lines);
}

// Plays the run on screen to its end with `script`; any slide without a question is left with
// "next". Every action takes ten seconds of the clock. Fails when a question finds no action
// left, an action names no answer, the run does not end, or actions are left over.
void play(Program &p, Script script)
{
    PlayerEngine &e = p.engine;
    for (int step = 0; e.state().Presenting; ++step) {
        QVERIFY2(step < 100, "the run does not end");
        p.clock.advance(10000);
        const QuestionModel &q = e.quiz().Question;
        if (q.empty()) {
            e.command(PendingCommandCode::Next);
            continue;
        }
        // Typing may end the question, which frees it: hold the box.
        const std::shared_ptr<TypedAnswer> box = q.box;
        const QString key = box ? box->Answer : q.correctCaption();
        QVERIFY2(!script.value(key).isEmpty(), qPrintable(u"no action left for "_s + key));
        const QString action = script[key].takeFirst();
        if (action.isEmpty()) {
            e.command(PendingCommandCode::Next);
        } else if (box) {
            box->typeKeys(action);
        } else {
            const auto it = std::find_if(q.answers.begin(), q.answers.end(),
                                         [&](const SlideAnswer &a) { return a.caption == action; });
            QVERIFY2(it != q.answers.end(), qPrintable(u"no answer "_s + action));
            e.AnswerClick(int(it - q.answers.begin()));
        }
    }
    for (auto it = script.cbegin(); it != script.cend(); ++it)
        QVERIFY2(it.value().isEmpty(), qPrintable(u"actions left for "_s + it.key()));
}

// The results file of one list written on one day: the date, the list's name, and each result
// followed by the run's duration.
QByteArray resultsOfTheDay(const Program &p, const QString &list, const QStringList &results,
                           const QStringList &durations)
{
    QString text = p.clock.currentDateTime().date().toString(u"dd/MM/yyyy"_s) + u"\r\n\r\n"_s +
                   list + u"\r\n\r\n"_s;
    for (qsizetype i = 0; i < results.size(); ++i)
        text += results[i] + u"\r\n"_s + durations.value(i) + u"\r\n\r\n"_s;
    return text.toLatin1();
}

const QString kAgain = u"\r\n\r\nEs presentaran de nou les no recordades"_s;

// A learning cycle's summary as written: cycle `n`, the slides not remembered and remembered with
// their shares.
QString cycle(int n, int forgotten, int forgottenPercent, int remembered, int rememberedPercent)
{
    return u"Diapositives (volta %1):\r\nno recordades: %2 (%3%)\r\nrecordades: %4 (%5%)\r\n"
           u"total: %6"_s.arg(n)
               .arg(forgotten)
               .arg(forgottenPercent)
               .arg(remembered)
               .arg(rememberedPercent)
               .arg(forgotten + remembered);
}

} // namespace

Q_DECLARE_METATYPE(Variant)
Q_DECLARE_METATYPE(ShowingMode)
Q_DECLARE_METATYPE(PresSortMode)
Q_DECLARE_METATYPE(RandomScope)
Q_DECLARE_METATYPE(Script)

class GeneratedQuizPlayTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void playsAndWritesItsResults_data()
    {
        QTest::addColumn<Variant>("variant");
        QTest::addColumn<ShowingMode>("mode");
        QTest::addColumn<PresSortMode>("order");
        QTest::addColumn<int>("maxWrongClicks");
        QTest::addColumn<bool>("accessory"); // a title slide before the questions and one after
        QTest::addColumn<Script>("script");
        QTest::addColumn<QStringList>("generationMessages"); // %1: the quiz
        QTest::addColumn<QStringList>("shown");              // while it runs
        QTest::addColumn<QStringList>("reactions");          // picture windows, %1: the course
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QStringList>("durations");

        const QString created = u"S'ha creat la presentació '%1'"_s;
        const QString replace = u"Regravar la presentació '%1' existent?"_s;
        // A random order is given its range even without accessory slides, and says so.
        const QString margins = RandomMarginsMessage();

        // Words: every slide offers the four words, its own marked; a wrong word shows its meaning
        // from the table beside the quiz.
        QTest::newRow("words, radio buttons, learning")
            << Variant::WordsRadio << ShowingMode::Learning << PresSortMode::Random << 4 << true
            << Script{{u"gat"_s, {u"gat"_s}},
                      {u"gos"_s, {u"peix"_s, u"ocell"_s, u"gos"_s, u"gos"_s}},
                      {u"ocell"_s, {u"ocell"_s}},
                      {u"peix"_s, {u"peix"_s}}}
            << QStringList{margins, replace}
            << QStringList{u"fish"_s, u"bird"_s, cycle(1, 1, 25, 3, 75) + kAgain,
                           cycle(2, 1, 20, 4, 80)}
            << QStringList() << QStringList{cycle(1, 1, 25, 3, 75), cycle(2, 1, 20, 4, 80)}
            << QStringList{u"01:10"_s, u"01:20"_s};
        // In an exam a wrong word is final: its meaning, then the correct word, and on.
        const QString wordsExam = u"S'ha obtingut la puntuació de 2,0\r\n= nota (sobre 10): 5,0\r\n"
                                  u"Representa 50% de la puntuació màxima (4,0)\r\n"
                                  u"Correctes: 2, incorrectes: 1, omeses: 1, total: 4"_s;
        QTest::newRow("words, radio buttons, exam")
            << Variant::WordsRadio << ShowingMode::Exam << PresSortMode::Random << 4 << true
            << Script{{u"gat"_s, {u"gat"_s}},
                      {u"gos"_s, {u"peix"_s}},
                      {u"ocell"_s, {u"ocell"_s}},
                      {u"peix"_s, {QString()}}}
            << QStringList{margins, replace} << QStringList{u"fish"_s, u"gos"_s, wordsExam}
            << QStringList() << QStringList{wordsExam} << QStringList{u"01:00"_s};

        // One typed word: case does not matter, blanks inside it do, and an empty answer is a
        // mistake. One mistake is allowed and halves the score; the second shows the word.
        const QString typedExam = u"S'ha obtingut la puntuació de 1,5\r\n= nota (sobre 10): 5,0\r\n"
                                  u"Representa 50% de la puntuació màxima (3,0)\r\n"
                                  u"Correctes: 2, incorrectes: 1, total: 3"_s;
        QTest::newRow("words, typed, exam")
            << Variant::WordsTyped << ShowingMode::Exam << PresSortMode::Sequential << 4 << false
            << Script{{u"gos"_s, {u"GOS\n"_s}},
                      {u"cafè"_s, {u"cafe\n"_s, u"Cafè\n"_s}},
                      {u"bon dia"_s, {u"\n"_s, u"bondia\n"_s}}}
            << QStringList{created} << QStringList{u"bon dia"_s, typedExam} << QStringList()
            << QStringList{typedExam} << QStringList{u"00:50"_s};
        QTest::newRow("words, typed, learning")
            << Variant::WordsTyped << ShowingMode::Learning << PresSortMode::Random << 4 << false
            << Script{{u"gos"_s, {u"Gos\n"_s}},
                      {u"cafè"_s, {u"cafe\n"_s, u"kafe\n"_s, u"CAFÈ\n"_s}},
                      {u"bon dia"_s, {u"Bon Dia\n"_s}}}
            << QStringList{margins, created}
            << QStringList{u"cafè"_s, cycle(1, 1, 33, 2, 67) + kAgain, cycle(2, 1, 25, 3, 75)}
            << QStringList() << QStringList{cycle(1, 1, 33, 2, 67), cycle(2, 1, 25, 3, 75)}
            << QStringList{u"00:40"_s, u"00:50"_s};

        // Pictures: the caption would name the picture, so the settings change; a wrong meaning
        // opens its picture, with its mark, from the table beside the quiz.
        const QString picturesExam =
            u"S'ha obtingut la puntuació de 2,0\r\n= nota (sobre 10): 6,7\r\n"
            u"Representa 67% de la puntuació màxima (3,0)\r\n"
            u"Correctes: 2, incorrectes: 1, total: 3"_s;
        QTest::newRow("pictures, radio buttons, exam")
            << Variant::PicturesRadio << ShowingMode::Exam << PresSortMode::Random << 4 << false
            << Script{{u"gat"_s, {u"gat"_s}}, {u"gos"_s, {u"gat"_s}}, {u"peix"_s, {u"peix"_s}}}
            << QStringList{AdaptedModeMessage(), margins, created}
            << QStringList{u"gos"_s, picturesExam} << QStringList{u"picture %1/gat.png 5 6 "_s}
            << QStringList{picturesExam} << QStringList{u"00:30"_s};
        // Two wrong clicks are all a learner gets here: then the correct meaning, and on.
        QTest::newRow("pictures, radio buttons, learning")
            << Variant::PicturesRadio << ShowingMode::Learning << PresSortMode::Random << 2 << false
            << Script{{u"gat"_s, {u"peix"_s, u"gos"_s, u"gat"_s}},
                      {u"gos"_s, {u"gos"_s}},
                      {u"peix"_s, {u"peix"_s}}}
            << QStringList{AdaptedModeMessage(), margins, created}
            << QStringList{u"La resposta correcta era:\r\ngat"_s, cycle(1, 1, 33, 2, 67) + kAgain,
                           cycle(2, 1, 25, 3, 75)}
            << QStringList{u"picture %1/peix.png -1 -1 "_s, u"picture %1/gos.png -1 -1 "_s}
            << QStringList{cycle(1, 1, 33, 2, 67), cycle(2, 1, 25, 3, 75)}
            << QStringList{u"00:40"_s, u"00:50"_s};
    }

    void playsAndWritesItsResults()
    {
        QFETCH(Variant, variant);
        QFETCH(ShowingMode, mode);
        QFETCH(PresSortMode, order);
        QFETCH(int, maxWrongClicks);
        QFETCH(bool, accessory);
        QFETCH(Script, script);
        QFETCH(QStringList, generationMessages);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, reactions);
        QFETCH(QStringList, results);
        QFETCH(QStringList, durations);

        Program p;
        GenerationChoices choices;
        QString table;
        switch (variant) {
        case Variant::WordsRadio:
            table = saveTable(p, u"curs.wml"_s,
                              {u"gos\tdog"_s, u"gat\tcat"_s, u"peix\tfish"_s, u"ocell\tbird"_s});
            break;
        case Variant::WordsTyped:
            choices.answers = QuizAnswers::Single;
            table = saveTable(p, u"curs.wml"_s,
                              sl({"gos\tdog", "cafè\tcoffee", "bon dia\tgood morning"}));
            break;
        case Variant::PicturesRadio:
            choices.prompt = PromptChoice::Generic;
            choices.genericPrompt = u"Quin animal és?"_s;
            choices.randomAnswers = true;
            table = saveTable(p, u"animals.sml"_s,
                              {u"gat.png\t5\t6\t\tgat"_s, u"gos.png\t-1\t-1\t\tgos"_s,
                               u"peix.png\t-1\t-1\t\tpeix"_s});
            break;
        }
        QVERIFY(!table.isEmpty());
        const QString quiz = changeFileExt(table, u".sal"_s);
        if (accessory)
            writeEarlierQuiz(p, quiz, {u"Vocabulari"_s}, {u"Fi"_s});

        // The mode chosen in the dialog before "Crea".
        PresentationSettings &s = p.session.Settings;
        s.ManualViewing = true;
        s.PresSort = order;
        s.ShowingModel = mode;
        s.MAMaxIncorrections = std::uint8_t(maxWrongClicks);
        s.ByInput = variant == Variant::WordsTyped;
        QCOMPARE(generateAsTheDialogDoes(p, table, choices), quiz);
        for (QString &m : generationMessages)
            m.replace(u"%1"_s, quiz);
        QCOMPARE(p.prompter.texts(), generationMessages);
        p.prompter.clear();

        // "Carregar i presentar ... acabat de crear?" Yes: the quiz opens with the table beside
        // it and runs from its first slide.
        p.engine.setFixedSeed(2024);
        QVERIFY(p.engine.OpenPresentation(quiz));
        QVERIFY(p.engine.state().Presenting);
        QCOMPARE(p.engine.learningMode(), mode == ShowingMode::Learning);
        QCOMPARE(p.engine.examMode(), mode == ShowingMode::Exam);
        play(p, script);
        if (QTest::currentTestFailed())
            return;

        QCOMPARE(p.prompter.texts(), shown);
        for (QString &r : reactions)
            r.replace(u"%1"_s, p.course.dir());
        QCOMPARE(p.view.reactions, reactions);
        if (accessory) {
            // The title slides kept their places around the shuffled questions.
            QCOMPARE(p.view.shownSlides.front(), 0);
            QCOMPARE(p.view.shownSlides.back(), 5);
        }
        QCOMPARE(readAll(p.resultsFile()),
                 resultsOfTheDay(p, fileNameWithoutExt(quiz), results, durations));
    }

    // Accessory slides before and after the questions stay where they are whatever the random
    // order draws, and a learning cycle takes in every question before it sums up.
    void accessorySlidesKeepTheirPlaces_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<RandomScope>("scope");
        QTest::addColumn<bool>("omitFirst");
        QTest::addColumn<bool>("omitLast");
        QTest::addColumn<int>("rangeInf");
        QTest::addColumn<int>("rangeSup");

        QTest::newRow("none") << 0 << 0 << RandomScope::All << false << false << 0 << 0;
        QTest::newRow("one first")
            << 1 << 0 << RandomScope::WithOmissions << true << false << 0 << 0;
        QTest::newRow("one last") << 0 << 1 << RandomScope::WithOmissions << false << true << 0
                                  << 0;
        QTest::newRow("one each") << 1 << 1 << RandomScope::WithOmissions << true << true << 0 << 0;
        QTest::newRow("two first") << 2 << 0 << RandomScope::Range << false << false << 3 << 6;
        QTest::newRow("two last") << 0 << 2 << RandomScope::Range << false << false << 1 << 4;
        QTest::newRow("two first, three last")
            << 2 << 3 << RandomScope::Range << false << false << 3 << 6;
    }

    void accessorySlidesKeepTheirPlaces()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(RandomScope, scope);
        QFETCH(bool, omitFirst);
        QFETCH(bool, omitLast);
        QFETCH(int, rangeInf);
        QFETCH(int, rangeSup);

        Program p;
        p.session.Options.Results.Write = false;
        const QString table = saveTable(
            p, u"curs.wml"_s, {u"gos\tdog"_s, u"gat\tcat"_s, u"peix\tfish"_s, u"ocell\tbird"_s});
        const QString quiz = changeFileExt(table, u".sal"_s);
        QStringList firstTitles, lastTitles;
        for (int i = 1; i <= first; ++i)
            firstTitles << u"Inici %1"_s.arg(i);
        for (int i = 1; i <= last; ++i)
            lastTitles << u"Fi %1"_s.arg(i);
        if (first + last > 0)
            writeEarlierQuiz(p, quiz, firstTitles, lastTitles);
        PresentationSettings &s = p.session.Settings;
        s.PresSort = PresSortMode::Random;
        s.ShowingModel = ShowingMode::Learning;
        QCOMPARE(generateAsTheDialogDoes(p, table, GenerationChoices()), quiz);
        QCOMPARE(s.PresDRandom, scope);
        QCOMPARE(s.OmissionFirstSlide, omitFirst);
        QCOMPARE(s.OmissionLastSlide, omitLast);
        if (scope == RandomScope::Range) {
            QCOMPARE(int(s.RandomRangeInf), rangeInf);
            QCOMPARE(int(s.RandomRangeSup), rangeSup);
        }

        const int questions = 4;
        const int lines = first + questions + last;
        std::vector<int> expectedFirst, expectedLast;
        for (int i = 0; i < first; ++i)
            expectedFirst.push_back(i);
        for (int i = first + questions; i < lines; ++i)
            expectedLast.push_back(i);
        bool opened = false;
        for (const std::uint32_t seed : {1u, 2u, 3u, 77u, 2024u}) {
            p.view.shownSlides.clear();
            p.prompter.clear();
            p.engine.setFixedSeed(seed);
            if (!opened) {
                QVERIFY(p.engine.OpenPresentation(quiz));
                opened = true;
            } else {
                p.engine.RunPresentation(0);
            }
            const SlideOrder order = p.engine.state().Order;
            QCOMPARE(int(order.size()), lines);
            // Everything right: the summary follows the last question, before the last slides.
            std::vector<int> shownAtSummary;
            for (int step = 0; p.engine.state().Presenting; ++step) {
                QVERIFY(step < 3 * lines);
                const QuestionModel &q = p.engine.quiz().Question;
                const bool summedUp = !p.prompter.shown.empty();
                if (summedUp && shownAtSummary.empty())
                    shownAtSummary = p.view.shownSlides;
                if (q.empty()) {
                    p.engine.command(PendingCommandCode::Next);
                    continue;
                }
                const QString right = q.correctCaption();
                const auto it =
                    std::find_if(q.answers.begin(), q.answers.end(),
                                 [&](const SlideAnswer &a) { return a.caption == right; });
                QVERIFY(it != q.answers.end());
                p.engine.AnswerClick(int(it - q.answers.begin()));
            }
            QCOMPARE(p.prompter.texts(), QStringList{u"Enhorabona, n'heu recordat 4"_s});

            const std::vector<int> &shown = p.view.shownSlides;
            QCOMPARE(int(shown.size()), lines);
            QCOMPARE(std::vector<int>(shown.begin(), shown.begin() + first), expectedFirst);
            QCOMPARE(std::vector<int>(shown.end() - last, shown.end()), expectedLast);
            std::vector<int> middle(shown.begin() + first, shown.end() - last);
            std::sort(middle.begin(), middle.end());
            QCOMPARE(middle, (std::vector<int>{first, first + 1, first + 2, first + 3}));
            if (last > 0)
                QCOMPARE(shownAtSummary, std::vector<int>(shown.begin(), shown.end() - last + 1));
        }
    }
};

// The typed answer's width is measured in the answers font: a GUI application (offscreen).
QTEST_MAIN(GeneratedQuizPlayTest)
#include "GeneratedQuizPlayTest.moc"
