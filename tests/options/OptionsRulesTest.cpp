#include "options/GeneralOptionsValues.h"
#include "options/ModalOptionsRules.h"
#include "player/PlayerEngine.h"
#include "player/PresentationSession.h"
#include "support/FakePlayerView.h"
#include "support/FakePrompter.h"
#include "support/FakeScheduler.h"
#include "support/SlideListFixture.h"

#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(ModalChoices)

namespace {

using L = SlideListFixture;

ModalChoices choices(PresSortMode sort, ShowingMode model = ShowingMode::Plain)
{
    ModalChoices c;
    c.sort = sort;
    c.model = model;
    return c;
}

// The enabling of a set of choices as one word per enabled control group, for readable rows.
QString enabledWords(const ModalEnabling &e)
{
    const std::pair<bool, const char *> parts[] = {{e.randomGroup, "random"},
                                                   {e.omissions, "omissions"},
                                                   {e.range, "range"},
                                                   {e.memorisationChoice, "memChoice"},
                                                   {e.memGroup, "mem"},
                                                   {e.initialImages, "initial"},
                                                   {e.totalToMemorize, "total"},
                                                   {e.modelGroup, "model"},
                                                   {e.omitMessages, "omit"},
                                                   {e.negativeScore, "negative"},
                                                   {e.onlyResult, "onlyResult"},
                                                   {e.multipleGroup, "multiple"},
                                                   {e.singleGroup, "single"},
                                                   {e.inputGroup, "input"},
                                                   {e.changeIncorrect, "change"},
                                                   {e.speedGroup, "speed"},
                                                   {e.hideNote, "hideNote"}};
    QStringList words;
    for (const auto &[on, word] : parts)
        if (on)
            words << QLatin1String(word);
    return words.join(QLatin1Char(' '));
}

} // namespace

class OptionsRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modeDialogNeedsTwoSlides_data()
    {
        QTest::addColumn<int>("slides");
        QTest::addColumn<int>("sort");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<int>("sortAfter");
        const QString first = QStringLiteral(
            "Per canviar el mode de presentació cal que hi hagin almenys 2 diapositives");
        const QString both = first + QStringLiteral("\r\nes canvia a mode seqüencial");
        QTest::newRow("one slide, random") << 1 << 1 << both << 0;
        QTest::newRow("one slide, memorisation") << 1 << 2 << both << 0;
        QTest::newRow("one slide, sequential") << 1 << 0 << first << 0;
        QTest::newRow("empty list, random") << 0 << 1 << both << 0;
        QTest::newRow("two slides open it") << 2 << 1 << QString() << 1;
    }
    void modeDialogNeedsTwoSlides()
    {
        QFETCH(int, slides);
        QFETCH(int, sort);
        QFETCH(QString, warning);
        QFETCH(int, sortAfter);
        PresentationSettings s;
        s.PresSort = PresSortMode(sort);
        const auto refusal = modalOptionsRefusal(s, slides);
        QCOMPARE(refusal.value_or(QString()), warning);
        QCOMPARE(int(s.PresSort), sortAfter);
    }

    void quizGenerationDoesNotOfferMemorisation()
    {
        PresentationSettings s;
        s.PresSort = PresSortMode::Memorisation;
        prepareModalSettings(s, MemorisationOffer::Offered);
        QCOMPARE(s.PresSort, PresSortMode::Memorisation);
        prepareModalSettings(s, MemorisationOffer::NotOffered);
        QCOMPARE(s.PresSort, PresSortMode::Random);
        s.PresSort = PresSortMode::Sequential;
        prepareModalSettings(s, MemorisationOffer::NotOffered);
        QCOMPARE(s.PresSort, PresSortMode::Sequential);
    }

    void enablingFollowsTheChoices_data()
    {
        QTest::addColumn<ModalChoices>("choices");
        QTest::addColumn<QString>("enabled");
        ModalChoices c = choices(PresSortMode::Sequential);
        QTest::newRow("sequential, plain, manual")
            << c << QStringLiteral("memChoice model multiple single hideNote");
        c.manual = false;
        QTest::newRow("automatic: speed") << c
                                          << QStringLiteral("memChoice model multiple single "
                                                            "speed hideNote");
        c = choices(PresSortMode::Random);
        QTest::newRow("random over all")
            << c << QStringLiteral("random memChoice model multiple single hideNote");
        c.scope = RandomScope::WithOmissions;
        QTest::newRow("random with omissions")
            << c << QStringLiteral("random omissions memChoice model multiple single hideNote");
        c.scope = RandomScope::Range;
        QTest::newRow("random over a range")
            << c << QStringLiteral("random range memChoice model multiple single hideNote");
        c = choices(PresSortMode::Sequential, ShowingMode::Learning);
        QTest::newRow("learning") << c
                                  << QStringLiteral(
                                         "memChoice model omit multiple single hideNote");
        c.model = ShowingMode::Exam;
        QTest::newRow("exam") << c
                              << QStringLiteral("memChoice model omit negative onlyResult "
                                                "multiple single hideNote");
        c.answers = AnswerKinds::TypedOnly;
        QTest::newRow("exam, typed answers only: no negative score")
            << c << QStringLiteral("memChoice model omit onlyResult single hideNote");
        c.answers = AnswerKinds::RadioOnly;
        QTest::newRow("exam, radio answers only")
            << c << QStringLiteral("memChoice model omit negative onlyResult multiple hideNote");
        c = choices(PresSortMode::Memorisation, ShowingMode::Exam);
        QTest::newRow("memorisation: no mode group, every slide, no repetition")
            << c << QStringLiteral("memChoice mem multiple single hideNote");
        c.allSlidesToMem = false;
        c.repeatedImages = true;
        QTest::newRow("memorisation of the first ones, with repetition")
            << c << QStringLiteral("memChoice mem initial total multiple single hideNote");
        c = choices(PresSortMode::Sequential);
        c.byInput = true;
        QTest::newRow("typed, checked at Enter")
            << c << QStringLiteral("memChoice model multiple single input hideNote");
        c.checkAtEnd = false;
        QTest::newRow("typed, checked at each character")
            << c << QStringLiteral("memChoice model multiple single input change hideNote");
        c.answers = AnswerKinds::RadioOnly;
        QTest::newRow("typed choice without typed answers")
            << c << QStringLiteral("memChoice model multiple hideNote");
        c = choices(PresSortMode::Random);
        c.memorisation = MemorisationOffer::NotOffered;
        c.answers = AnswerKinds::TypedOnly;
        QTest::newRow("from quiz generation, one-answer quizzes")
            << c << QStringLiteral("random model single");
    }
    void enablingFollowsTheChoices()
    {
        QFETCH(ModalChoices, choices);
        QFETCH(QString, enabled);
        QCOMPARE(enabledWords(modalEnabling(choices)), enabled);
    }

    void quizModesAndMemorisationForceManualViewing()
    {
        QVERIFY(!forcesManualViewing(PresSortMode::Sequential, ShowingMode::Plain));
        QVERIFY(!forcesManualViewing(PresSortMode::Random, ShowingMode::Plain));
        QVERIFY(forcesManualViewing(PresSortMode::Random, ShowingMode::Learning));
        QVERIFY(forcesManualViewing(PresSortMode::Sequential, ShowingMode::Exam));
        QVERIFY(forcesManualViewing(PresSortMode::Memorisation, ShowingMode::Plain));
    }

    void theRangeLowerMayNotExceedTheUpper()
    {
        QCOMPARE(rangeError(7, 5).value_or(QString()),
                 QStringLiteral("El valor inferior no pot ser més gran que el superior"));
        QVERIFY(!rangeError(5, 5));
        QVERIFY(!rangeError(1, 12));
    }

    void severalUsersOpenTheAdministratorsOptions_data()
    {
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("after");
        QTest::addColumn<bool>("password");
        QTest::addColumn<bool>("message");
        QTest::newRow("one to several, no password") << false << true << false << true;
        QTest::newRow("one to several, a password set") << false << true << true << false;
        QTest::newRow("several stay several") << true << true << false << false;
        QTest::newRow("several to one") << true << false << false << false;
        QTest::newRow("one stays one") << false << false << false << false;
    }
    void severalUsersOpenTheAdministratorsOptions()
    {
        QFETCH(bool, before);
        QFETCH(bool, after);
        QFETCH(bool, password);
        QFETCH(bool, message);
        const auto text = adminAccessMessage(before, after, password);
        QCOMPARE(bool(text), message);
        if (text)
            QCOMPARE(*text, QStringLiteral("Ara ja teniu accés a la finestra d'opcions de "
                                           "l'administrador.\r\nDes d'on podreu assignar la llista "
                                           "d'usuaris, de dominis i veure els resultats"));
    }

    void anAdministratorPasswordFixesTheNumberOfUsers()
    {
        ProgramWideOptions wide;
        ProgramOptions options;
        wide.UseAdminPassword = true;
        QVERIFY(!generalOptionsFrom(wide, options).UsersFixed); // in use but not set
        wide.AdminPassword = QStringLiteral("clau");
        GeneralOptionsValues v = generalOptionsFrom(wide, options);
        QVERIFY(v.UsersFixed);
        v.SeveralUsers = true;
        v.OpenSalOption = OpenSalAction::Check;
        storeGeneralOptions(v, wide, options);
        QVERIFY(!wide.SeveralUsers);
        QCOMPARE(options.OpenSalOption, OpenSalAction::Check);
        wide.UseAdminPassword = false;
        storeGeneralOptions(v, wide, options);
        QVERIFY(wide.SeveralUsers);
    }

    void aWaitUnderWayKeepsItsLength()
    {
        SlideListFixture fx;
        FakePlayerView view;
        FakePrompter prompter;
        FakeScheduler clock;
        PresentationSession session(view, prompter);
        PlayerEngine engine(session, view, prompter, clock);
        session.Options.SaveIndividualConfigO = SaveConfigPolicy::Never;
        QStringList lines;
        for (const char *name : {"1.png", "2.png", "3.png"})
            lines << L::line(fx.picture(QLatin1String(name)));
        session.SlideListPath = fx.list(QStringLiteral("a.sal"), lines);
        session.LoadPresentation();
        session.Settings.ManualViewing = false;
        session.Settings.ImageDelay = 4;
        engine.RunPresentation(0);
        QCOMPARE(clock.lastDelayMs(), 4000);
        clock.advance(1000);

        PresentationSettings edited = session.Settings;
        edited.ImageDelay = 9;
        engine.applyEditedSettings(edited);
        QVERIFY(session.SettingsModified);
        QVERIFY(session.ConfigNotDefault);
        QCOMPARE(clock.nextDueInMs(), 3000); // the running wait was not restarted
        clock.advance(2999);
        QCOMPARE(view.shownSlides, (std::vector<int>{0}));
        clock.advance(1);
        QCOMPARE(view.shownSlides, (std::vector<int>{0, 1}));
        QCOMPARE(clock.lastDelayMs(), 9000); // the next wait takes the new duration
        QVERIFY(prompter.shown.empty());
    }

    void outerDecorationAppliesDuringARun()
    {
        SlideListFixture fx;
        FakePlayerView view;
        FakePrompter prompter;
        FakeScheduler clock;
        PresentationSession session(view, prompter);
        PlayerEngine engine(session, view, prompter, clock);
        session.Options.SaveIndividualConfigO = SaveConfigPolicy::Never;
        session.SlideListPath =
            fx.list(QStringLiteral("a.sal"), {L::line(fx.picture(QStringLiteral("gat.png"))),
                                              L::line(fx.picture(QStringLiteral("gos.png")))});
        session.LoadPresentation();
        engine.RunPresentation(0);
        QVERIFY(!view.borderless);
        QVERIFY(view.caption.contains(QStringLiteral("gat")));
        QVERIFY(!view.isEnabled(PlayerAction::A_V_ShowSlideName));

        PresentationSettings edited = session.Settings;
        edited.PresWithITName = false;
        engine.applyEditedSettings(edited);
        // The title bar is built again without the slide's name; the name is shown on demand.
        QVERIFY(!view.caption.contains(QStringLiteral("gat")));
        QVERIFY(view.isEnabled(PlayerAction::A_V_ShowSlideName));

        edited.WithoutCaption = true;
        engine.applyEditedSettings(edited);
        QVERIFY(view.borderless);
        QVERIFY(prompter.shown.empty());
    }
};

QTEST_GUILESS_MAIN(OptionsRulesTest)
#include "OptionsRulesTest.moc"
