#include "slides/TypedAnswer.h"
#include "support/FakePrompter.h"

#include <QTest>

#include <memory>

namespace {

struct Box
{
    FakePrompter prompter;
    std::shared_ptr<TypedAnswer> a = std::make_shared<TypedAnswer>();
    QStringList shownAnswers;
    int finishedCount = 0;
    bool lastCorrect = false;
    float lastScore = -1;

    Box(const QString &answer, bool mask, bool change, bool atEnd, bool ignoreAccent = false,
        int maxMistakes = 1)
    {
        a->WithMask = mask;
        a->ChangeIncorrectChar = change;
        a->CheckAtEnd = atEnd;
        a->IgnoreAccent = ignoreAccent;
        a->MaxMistakes = maxMistakes;
        a->hooks.showAnswer = [this](const QString &t) { shownAnswers.append(t); };
        a->hooks.finished = [this](bool correct, float score) {
            ++finishedCount;
            lastCorrect = correct;
            lastScore = score;
        };
        a->SetAnswer(answer, prompter);
    }
};

} // namespace

class TypedAnswerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void accentFolding()
    {
        QCOMPARE(FoldAccents(QStringLiteral("ÀÉÈËÍÏÒÓÚÜçñ")), QStringLiteral("aeeeiioouuçñ"));
        QVERIFY(SameAnswerChar(QChar(u'E'), QChar(u'è'), true));
        QVERIFY(!SameAnswerChar(QChar(u'e'), QChar(u'è'), false));
        QVERIFY(SameAnswerText(QStringLiteral("CAFE"), QStringLiteral("cafè"), true));
        QVERIFY(!SameAnswerText(QStringLiteral("cafe"), QStringLiteral("cafè"), false));
    }

    void maskHintsEscapesAndScore()
    {
        Box b(QStringLiteral("&Barcelona"), true, false, true);
        QCOMPARE(b.a->Answer, QStringLiteral("Barcelona"));
        QCOMPARE(b.a->text(), QStringLiteral("B********"));
        QCOMPARE(b.a->caret(), 1);
        QCOMPARE(b.a->FirstInput, 1);

        // "&&" is a literal "&", given as a hint; a score suffix is read off.
        Box c(QStringLiteral("R&&D&x//<2,5"), true, false, true);
        QCOMPARE(c.a->Answer, QStringLiteral("R&Dx"));
        QCOMPARE(c.a->Mask, QStringLiteral("*&*x"));
        QCOMPARE(c.a->MaxScore, 2.5f);
        QVERIFY(c.prompter.shown.empty());

        // Without a mask the escapes only go away, and the box starts empty.
        Box d(QStringLiteral("&Barcelona"), false, true, false);
        QCOMPARE(d.a->Answer, QStringLiteral("Barcelona"));
        QCOMPARE(d.a->text(), QString());

        // Scores that are not numbers keep 1 and say so; "-0" is a number.
        for (const char *bad : {"1e999", "abc", ""}) {
            Box e(QStringLiteral("casa//<") + QLatin1String(bad), false, false, true);
            QCOMPARE(e.a->Answer, QStringLiteral("casa"));
            QCOMPARE(e.a->MaxScore, 1.0f);
            QCOMPARE(e.prompter.texts(),
                     QStringList{QStringLiteral(
                                     "Assignació de número de puntuació que no és un número (%1)")
                                     .arg(QLatin1String(bad))});
        }
        Box f(QStringLiteral("casa//<-0"), false, false, true);
        QVERIFY(f.prompter.shown.empty());
        QCOMPARE(f.a->MaxScore, 0.0f);

        // An answer made only of "&": nothing to type, nothing to crash on.
        Box g(QStringLiteral("&"), true, true, false);
        QCOMPARE(g.a->Answer, QString());
        QCOMPARE(g.a->text(), QString());
        g.a->typeKeys(QStringLiteral("x\b\n"));
        QCOMPARE(g.finishedCount, 1);
    }

    void perCharacterCorrectionInAMask()
    {
        Box b(QStringLiteral("&Barcelona"), true, true, false, false, 3);
        b.a->typeKeys(QStringLiteral("a"));
        QCOMPARE(b.a->text(), QStringLiteral("Ba*******"));
        QCOMPARE(b.a->caret(), 2);
        // A wrong letter counts a mistake and is replaced by the right one.
        b.a->typeKeys(QStringLiteral("x"));
        QCOMPARE(b.a->text(), QStringLiteral("Bar******"));
        QCOMPARE(b.a->caret(), 3);
        QCOMPARE(b.a->Mistakes, 1);
        // Case comes out right; Backspace turns the typed letter back into "*".
        b.a->typeKeys(QStringLiteral("C"));
        QCOMPARE(b.a->text(), QStringLiteral("Barc*****"));
        b.a->typeKeys(QStringLiteral("\b"));
        QCOMPARE(b.a->text(), QStringLiteral("Bar******"));
        QCOMPARE(b.a->caret(), 3);
        b.a->typeKeys(QStringLiteral("celona\n"));
        QCOMPARE(b.finishedCount, 1);
        QVERIFY(b.lastCorrect);
        // MaxMistakes 3, one mistake: three quarters of the score.
        QCOMPARE(b.lastScore, 0.75f);
    }

    void maskWithoutCorrectionAndHintsInside()
    {
        Box b(QStringLiteral("c&as&a"), true, false, false, false, 5);
        QCOMPARE(b.a->text(), QStringLiteral("*a*a"));
        QCOMPARE(b.a->caret(), 0);
        // The caret jumps over a hint to the next place to type.
        b.a->typeKeys(QStringLiteral("c"));
        QCOMPARE(b.a->text(), QStringLiteral("ca*a"));
        QCOMPARE(b.a->caret(), 2);
        // Wrong and not corrected: the place stays "*" and the caret stays at it.
        b.a->typeKeys(QStringLiteral("z"));
        QCOMPARE(b.a->text(), QStringLiteral("ca*a"));
        QCOMPARE(b.a->caret(), 2);
        QCOMPARE(b.a->Mistakes, 1);
        b.a->typeKeys(QStringLiteral("s"));
        QCOMPARE(b.a->text(), QStringLiteral("casa"));
        b.a->typeKeys(QStringLiteral("\n"));
        QVERIFY(b.lastCorrect);
    }

    void freeBoxWithCorrection()
    {
        Box b(QStringLiteral("Girona"), false, true, false, true, 2);
        b.a->typeKeys(QStringLiteral("gix"));
        QCOMPARE(b.a->text(), QStringLiteral("Gir"));
        QCOMPARE(b.a->Mistakes, 1);
        b.a->typeKeys(QStringLiteral("q"));
        QCOMPARE(b.a->text(), QStringLiteral("Giro"));
        QCOMPARE(b.a->Mistakes, 2);
        // The third mistake ends the question and shows the answer.
        b.a->typeKeys(QStringLiteral("x"));
        QCOMPARE(b.shownAnswers, QStringList{QStringLiteral("Girona")});
        QCOMPARE(b.finishedCount, 1);
        QVERIFY(!b.lastCorrect);
        QVERIFY(b.a->ended());
        b.a->typeKeys(QStringLiteral("na\n"));
        QCOMPARE(b.finishedCount, 1);
    }

    void checkAtEndKeepsTheMaskInPlace()
    {
        Box b(QStringLiteral("&Barcelona"), true, false, true, false, 1);
        b.a->typeKeys(QStringLiteral("xyz"));
        // Nothing is judged while typing: letters overwrite the "*".
        QCOMPARE(b.a->text(), QStringLiteral("Bxyz*****"));
        QCOMPARE(b.a->Mistakes, 0);
        b.a->typeKeys(QStringLiteral("\n"));
        QCOMPARE(b.a->Mistakes, 1);
        QCOMPARE(b.a->text(), QStringLiteral("B********"));
        QCOMPARE(b.a->caret(), 1);
        b.a->typeKeys(QStringLiteral("arcelonaXYZ\n"));
        QVERIFY(b.lastCorrect);
        QCOMPARE(b.lastScore, 0.5f);
    }

    void demonstrationStartsOver()
    {
        Box b(QStringLiteral("sol"), false, false, true, false, 1);
        b.a->Mode = QuestionMode::Demonstration;
        b.a->typeKeys(QStringLiteral("mar\n"));
        QCOMPARE(b.a->Mistakes, 1);
        b.a->typeKeys(QStringLiteral("mar\n"));
        QCOMPARE(b.shownAnswers, QStringList{QStringLiteral("sol")});
        QCOMPARE(b.a->Mistakes, 0);
        QVERIFY(!b.a->ended());
        b.a->typeKeys(QStringLiteral("SOL\n"));
        QCOMPARE(b.finishedCount, 0);
        QCOMPARE(b.a->text(), QString());
    }
};

QTEST_GUILESS_MAIN(TypedAnswerTest)
#include "TypedAnswerTest.moc"
