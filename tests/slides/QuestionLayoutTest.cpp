#include "slides/PlayerRandom.h"
#include "slides/Question.h"
#include "support/FakePrompter.h"

#include <QTest>

namespace {

// Fonts whose measures are round numbers: prompt lines 20 high, text 600 wide; answers 16 high,
// "H" 8 wide.
QuestionMetrics metrics(bool prompt, std::vector<int> captions, QSize box = QSize())
{
    QuestionMetrics m;
    m.hasPrompt = prompt;
    m.promptMargin = 10;
    m.promptLine = 20;
    m.promptHeight = [](int w) { return 20 * ((600 + w - 1) / w); };
    m.answersH = 8;
    m.answersHg = 16;
    m.captionWidths = std::move(captions);
    m.captionHeight = [](int, int w) { return 16 * ((1000 + w - 1) / w); };
    m.hasBox = box.isValid();
    m.boxSize = box;
    return m;
}

} // namespace

class QuestionLayoutTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void oneRowUnderThePrompt()
    {
        const QuestionLayoutResult r =
            LayoutQuestion(metrics(true, {50, 60, 70}), 800, PanelSize{});
        QCOMPARE(r.prompt, QRect(10, 5, 780, 20));
        QVERIFY(r.promptCentred);
        QCOMPARE(r.answers.size(), std::size_t(3));
        // Columns 70 + 22 wide, 16 apart, the block centred; under the prompt and a gap of 10.
        QCOMPARE(r.answers[0], QRect(246, 35, 92, 18));
        QCOMPARE(r.answers[1].x(), 354);
        QCOMPARE(r.answers[2].x(), 462);
        // The content (20 + 10 + 16) and half the reference height of 20.
        QCOMPARE(r.panelHeight, 56);
    }

    void columnsAreFilledDownFirst()
    {
        const QuestionLayoutResult r =
            LayoutQuestion(metrics(false, std::vector<int>(8, 100)), 500, PanelSize{});
        // Three columns of 122 fit in 468; eight answers make three rows.
        const int x0 = (500 - (3 * 122 + 2 * 16)) / 2;
        QCOMPARE(r.answers[0].topLeft(), QPoint(x0, 16 / 4)); // a quarter of the tallest caption
        QCOMPARE(r.answers[2].x(), x0);
        QCOMPARE(r.answers[3].x(), x0 + 138);
        QCOMPARE(r.answers[4].y() - r.answers[3].y(), 16 + 5);
        QCOMPARE(r.answers[7].x(), x0 + 2 * 138);
        QCOMPARE(r.answers[7].y(), r.answers[1].y());
        QCOMPARE(r.panelHeight, 3 * 16 + 2 * 5 + 16 / 2);
        QVERIFY(!r.wrapAnswers);

        // Seven answers that would fit in six columns are spread evenly: two rows of four.
        const QuestionLayoutResult s =
            LayoutQuestion(metrics(false, std::vector<int>(7, 20)), 2000, PanelSize{});
        QCOMPARE(s.answers[1].y(), s.answers[0].y() + 21);
        QCOMPARE(s.answers[2].x(), s.answers[0].x() + 42 + 16);
        QCOMPARE(s.answers[6].x(), s.answers[0].x() + 3 * 58);
    }

    void aCaptionTooWideWrapsInOneColumn()
    {
        const QuestionLayoutResult r = LayoutQuestion(metrics(false, {1000, 30}), 500, PanelSize{});
        QVERIFY(r.wrapAnswers);
        QCOMPARE(r.answers[0].x(), 16);
        QCOMPARE(r.answers[0].width(), 468);
        // 1000 wide wrapped at 446: three lines of 16, plus 2.
        QCOMPARE(r.answers[0].height(), 50);
        QCOMPARE(r.answers[1].y(), r.answers[0].bottom() + 1 + 5);
    }

    void manualSizeAndFixedPanelsCentreTheContent()
    {
        const QuestionLayoutResult r =
            LayoutQuestion(metrics(true, {50}), 800, PanelSize{true, 100});
        QCOMPARE(r.panelHeight, 100);
        QCOMPARE(r.prompt.y(), (100 - 46) / 2);
        const QuestionLayoutResult t =
            LayoutQuestion(metrics(true, {}, QSize(120, 24)), 800, PanelSize{}, 400);
        QCOMPARE(t.panelHeight, 400);
        QCOMPARE(t.prompt.y(), (400 - 54) / 2);
        QCOMPARE(t.box, QRect(340, t.prompt.bottom() + 1 + 10, 120, 24));
    }

    void boxWithoutPromptIsCentred()
    {
        const QuestionLayoutResult r =
            LayoutQuestion(metrics(false, {}, QSize(100, 24)), 600, PanelSize{});
        QCOMPARE(r.panelHeight, 24 + 12);
        QCOMPARE(r.box, QRect(250, 6, 100, 24));
        const QuestionLayoutResult m =
            LayoutQuestion(metrics(false, {}, QSize(100, 24)), 600, PanelSize{true, 80});
        QCOMPARE(m.box.y(), 28);
    }

    void longPromptIsLeftJustified()
    {
        const QuestionLayoutResult r = LayoutQuestion(metrics(true, {40}), 220, PanelSize{});
        QCOMPARE(r.prompt.height(), 60); // 600 wrapped at 200
        QVERIFY(!r.promptCentred);
        // A narrow panel never makes negative sizes.
        const QuestionLayoutResult n =
            LayoutQuestion(metrics(true, {40, 50}, QSize()), 1, PanelSize{});
        QVERIFY(n.prompt.width() >= 1);
        for (const QRect &a : n.answers)
            QVERIFY(a.width() >= 1);
    }

    void buildingShufflesEveryAnswerOnce()
    {
        SlideRecord slide;
        slide.PWithAnswer = true;
        slide.PromptOr1stLine = QStringLiteral("Una|dues");
        slide.AnswersOrNextLines = QStringLiteral("a|*b|c|d|a||e");
        PresentationSettings s;
        FakePrompter p;
        PlayerRandom rng(42);
        const QuestionModel q =
            BuildQuestion(slide, s, QuestionMode::Presentation, true, true, rng, p);
        QCOMPARE(q.prompt, QStringLiteral("Una\r\ndues"));
        QStringList captions;
        for (const SlideAnswer &a : q.answers)
            captions.append(a.caption);
        QStringList sorted = captions;
        sorted.sort();
        QCOMPARE(sorted, (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                                      QStringLiteral("d"), QStringLiteral("e")}));
        QCOMPARE(q.correctCaption(), QStringLiteral("b"));
        // The same seed gives the same order; no prompt without the prompt flag.
        PlayerRandom again(42);
        const QuestionModel q2 =
            BuildQuestion(slide, s, QuestionMode::Presentation, true, false, again, p);
        QStringList captions2;
        for (const SlideAnswer &a : q2.answers)
            captions2.append(a.caption);
        QCOMPARE(captions2, captions);
        QVERIFY(q2.prompt.isEmpty());

        // A single answer: mental unless typed, a box in the demonstration whatever ByInput says.
        slide.AnswersOrNextLines = QStringLiteral("&Sol//<2");
        QuestionModel m = BuildQuestion(slide, s, QuestionMode::Presentation, false, false, rng, p);
        QVERIFY(m.mental && !m.box);
        QCOMPARE(m.mentalAnswer, QStringLiteral("Sol"));
        m = BuildQuestion(slide, s, QuestionMode::Demonstration, false, false, rng, p);
        QVERIFY(m.box && m.mentalPlaceholder);
        s.ByInput = true;
        m = BuildQuestion(slide, s, QuestionMode::Presentation, false, false, rng, p);
        QVERIFY(m.box && !m.mentalPlaceholder);
        QCOMPARE(m.box->MaxScore, 2.0f);
        QVERIFY(p.shown.empty());
    }
};

QTEST_GUILESS_MAIN(QuestionLayoutTest)
#include "QuestionLayoutTest.moc"
