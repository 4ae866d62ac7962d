#include "presentation/SlideRecord.h"
#include "presentation/SlideAnswers.h"
#include "presentation/SlideLineComposer.h"
#include "support/SlideListFixture.h"

#include <QTest>

using L = SlideListFixture;

class SlideRecordTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fieldsAndMalformedLines()
    {
        SlideListFixture fx;
        const QString pic = fx.picture(QStringLiteral("a.png"));
        auto r = DecodeSlide(pic + QStringLiteral("\t\t\t\t\t"));
        QVERIFY(r);
        QCOMPARE(r->Kind, skImage);
        QCOMPARE(r->FileState, fsOk);
        QCOMPARE(r->NotePos, NotePosition::Bottom);
        QVERIFY(!r->TimeSet);
        QVERIFY(r->Flags.isEmpty() && r->PromptOr1stLine.isEmpty() && r->AudioFileName.isEmpty());

        // The sixth field is the rest of the line, TABs included.
        auto six = ParseSlideLine(QStringLiteral("f.png\tB\tuna\tdues\t300\tso.wav\textra"));
        QVERIFY(six);
        QCOMPARE(six->AudioFileName, QStringLiteral("so.wav\textra"));
        QVERIFY(six->TimeSet);
        QCOMPARE(six->Time, quint16(300));

        QVERIFY(!ParseSlideLine(QStringLiteral("a\tb\tc\td\te")));
        QVERIFY(!ParseSlideLine(QString()));
        QCOMPARE(MalformedLineMessage(3),
                 QStringLiteral("Línia 3 incorrecta\r\nNo hi ha un nombre suficient "
                                "de camps, segurament heu esborrat un Tabulador"));

        for (const char *bad : {"abc", "-1", "65536", "7s", " "}) {
            auto t = ParseSlideLine(QStringLiteral("f.png\t\t\t\t%1\t").arg(QLatin1String(bad)));
            QVERIFY2(t && !t->TimeSet, bad);
        }
    }

    void quickInspectionAgreesWithTheParser()
    {
        const QString lines[] = {QStringLiteral("a\tH\t\t\t\t"),
                                 QStringLiteral("a\tXH\tH\t\t\t"),
                                 QStringLiteral("a\t\tH\t\t\t"),
                                 QStringLiteral("a\tH\t\t\t"),
                                 QStringLiteral(""),
                                 QStringLiteral("\t\t\t\t\t\t\t"),
                                 QStringLiteral("aH\tL\t\t\t\t")};
        for (const QString &line : lines) {
            const SlideLineShape shape = InspectSlideLine(line);
            const auto parsed = ParseSlideLine(line);
            QCOMPARE(shape.wellFormed, parsed.has_value());
            if (parsed)
                QCOMPARE(shape.hidden, parsed->Hidden);
        }
    }

    void flagRules_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<int>("notePos");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("total");
        QTest::addColumn<int>("next");
        QTest::newRow("L alone") << "L" << 0 << false << false << -1;
        QTest::newRow("T alone: top and total test") << "T" << 1 << false << true << -1;
        QTest::newRow("HL hidden, bottom") << "HL" << 3 << true << false << -1;
        QTest::newRow("empty") << "" << 3 << false << false << -1;
        QTest::newRow("jump -2") << "*-2" << 3 << false << false << -2;
        QTest::newRow("jump letters") << "*abc" << 3 << false << false << -1;
        QTest::newRow("our note marker") << "HN1XPT*4" << 1 << true << true << 4;
        QTest::newRow("N without digit") << "NX" << 3 << false << false << -1;
    }

    void flagRules()
    {
        QFETCH(QString, flags);
        QFETCH(int, notePos);
        QFETCH(bool, hidden);
        QFETCH(bool, total);
        QFETCH(int, next);
        auto r = ParseSlideLine(QStringLiteral("a.jpg\t%1\t\t\t\t").arg(flags));
        QVERIFY(r);
        const SlideFlags f = ParseSlideFlags(flags);
        QCOMPARE(int(f.NotePos), notePos);
        QCOMPARE(r->Hidden, hidden);
        QCOMPARE(f.PresTotalTest, total);
        QCOMPARE(f.NextSlide, next);
    }

    void readFlagNumberAndAudioMarkers()
    {
        QCOMPARE(ReadFlagNumber(QStringLiteral("x120y-5"), QLatin1Char('x')), 120);
        QCOMPARE(ReadFlagNumber(QStringLiteral("x120y-5"), QLatin1Char('y')), -5);
        QCOMPARE(ReadFlagNumber(QStringLiteral("x"), QLatin1Char('x')), -1);
        QCOMPARE(ReadFlagNumber(QStringLiteral("x1-2"), QLatin1Char('x')), -1);
        QCOMPARE(ReadFlagNumber(QStringLiteral("AcAs"), QLatin1Char('*')), -1);
        const SlideFlags f = ParseSlideFlags(QStringLiteral("ArAcAs"));
        QVERIFY(f.AudioRepeat && f.AudioContinue && f.AudioStop);
        QVERIFY(!f.PWithAnswer && !f.PRandomAnswer && !f.PresTotalTest);
    }

    void kindsAndFileStates()
    {
        SlideListFixture fx;
        const QString up = fx.file(QStringLiteral("FOTO.JPG"), "x");
        QCOMPARE(ClassifySlideFile(up).kind, skImage);
        QCOMPARE(ClassifySlideFile(up).state, fsOk);
        QCOMPARE(ClassifySlideFile(fx.file(QStringLiteral("a.jpe"), "x")).state, fsNotViewable);
        QCOMPARE(ClassifySlideFile(fx.path(QStringLiteral("none.rtf"))).kind, skRichText);
        QCOMPARE(ClassifySlideFile(fx.path(QStringLiteral("none.rtf"))).state, fsNotFound);
        QCOMPARE(ClassifySlideFile(QStringLiteral("C:\\dir.v2\\noext")).state, fsNotViewable);
        QCOMPARE(ClassifySlideFile(QString()).kind, skTitle);
        const std::pair<const char *, TSlideKind> kinds[] = {
            {"a.txt", skText},         {"a.mht", skWeb},     {"a.avi", skVideo}, {"a.MOV", skMovie},
            {"a.sal", skPresentation}, {"a.exe", skProgram}, {"a.wmf", skImage}, {"a.html", skWeb}};
        for (const auto &[name, kind] : kinds)
            QCOMPARE(SlideKindForExtension(QLatin1String(name)).value(), kind);
        QCOMPARE(ClassifyAudioFile(QString()), fsOk);
        QCOMPARE(ClassifyAudioFile(fx.path(QStringLiteral("x.mp3"))), fsNotFound);
        QCOMPARE(ClassifyAudioFile(fx.file(QStringLiteral("x.aac"), "x")), fsNotViewable);
        QCOMPARE(ClassifyAudioFile(fx.file(QStringLiteral("x.WMA"), "x")), fsOk);
    }

    void documentAndCloseSteps()
    {
        SlideListFixture fx;
        const QString doc = fx.file(QStringLiteral("full.pdf"), "%PDF");
        auto d = DecodeSlide(QStringLiteral("\tO\t%1\t\t\t").arg(doc));
        QCOMPARE(d->Kind, skDocument);
        QVERIFY(d->OpenFileExists);
        QVERIFY(!d->OpenExeEnd);
        auto c = DecodeSlide(
            QStringLiteral("\tOC\t%1\t\t\t").arg(fx.path(QStringLiteral("absent.pdf"))));
        QCOMPARE(c->Kind, skDocument);
        QVERIFY(!c->OpenFileExists);
        QVERIFY(c->OpenExeEnd);
        auto t = DecodeSlide(QStringLiteral("\tT\tTítol\t\t\t"));
        QCOMPARE(t->Kind, skTitle);
        QVERIFY(t->PresTotalTest);
        QVERIFY(t->OpenFileExists);
    }

    void radioAnswers()
    {
        const SlideAnswers a =
            ParseSlideAnswers(QStringLiteral("*Barcelona//Molt bé|Girona||Girona|Lleida//*3"));
        QVERIFY(a.radio);
        QCOMPARE(a.answers.size(), std::size_t(3));
        QCOMPARE(a.answers[0].caption, QStringLiteral("Barcelona"));
        QCOMPARE(a.answers[0].tag, 1);
        QVERIFY(a.answers[0].correct);
        QCOMPARE(a.answers[1].caption, QStringLiteral("Girona"));
        QCOMPARE(a.answers[1].tag, 0);
        QCOMPARE(a.answers[2].tag, 3);
        QCOMPARE(a.answers[2].jump, 3);
        // A repeat is the same text exactly: another case or another reaction is another answer.
        const SlideAnswers r =
            ParseSlideAnswers(QStringLiteral("Girona|girona|Girona//bé|Girona|girona|*Girona"));
        QCOMPARE(r.answers.size(), std::size_t(4));
        QCOMPARE(r.answers[1].caption, QStringLiteral("girona"));
        QCOMPARE(r.answers[2].reaction, QStringLiteral("bé"));
        QVERIFY(r.answers[3].correct);

        const SlideAnswers s = ParseSlideAnswers(QStringLiteral("*u//<2|dos//<0,5|tres//<molt"));
        QCOMPARE(s.answers[0].tag, 5);
        QCOMPARE(s.answers[0].caption, QStringLiteral("*u")); // a scored caption stays as written
        QCOMPARE(s.answers[0].score, 2.0f);
        QCOMPARE(s.answers[1].tag, 5);
        QCOMPARE(s.answers[1].score, 0.5f);
        QCOMPARE(s.answers[2].tag, 0);
        QCOMPARE(s.answers[2].score, kNoScore);

        const SlideAnswers j = ParseSlideAnswers(QStringLiteral("*sí//*7|no//*x|potser///"));
        QCOMPARE(j.answers[0].tag, 4);
        QCOMPARE(j.answers[1].jump, -1);
        QCOMPARE(j.answers[1].tag, 0);
        QCOMPARE(j.answers[2].tag, 2);
        QCOMPARE(j.answers[2].reaction, QStringLiteral("/"));
        QCOMPARE(ParseSlideAnswers(QStringLiteral("a|b//") + QString(400, QLatin1Char('r')))
                     .answers[1]
                     .reaction.size(),
                 255);

        const SlideAnswers one = ParseSlideAnswers(QStringLiteral("R&&D//<3"));
        QVERIFY(!one.radio);
        QCOMPARE(one.singleAnswer, QStringLiteral("R&&D"));
        QCOMPARE(one.singleScore, 3.0f);
        QCOMPARE(ParseSlideAnswers(QStringLiteral("riu")).singleScore, 1.0f);
    }

    // What the writer composes reads back with the same note position and markers.
    void composedLinesReadBack()
    {
        const QString flagsList[] = {
            QStringLiteral(""),   QStringLiteral("H"),      QStringLiteral("T"),
            QStringLiteral("XP"), QStringLiteral("XPR"),    QStringLiteral("ArAcAs"),
            QStringLiteral("*3"), QStringLiteral("x10y20"), QStringLiteral("HXRT*2x5y6")};
        for (int pos = 0; pos < 4; ++pos) {
            for (const QString &markers : flagsList) {
                SlideRecord s;
                s.Kind = skImage;
                s.FileName = QStringLiteral("/dades/foto.png");
                static_cast<SlideFlags &>(s) = ParseSlideFlags(markers);
                s.Hidden = markers.contains(QLatin1Char('H'));
                s.NotePos = NotePosition(pos);
                s.PromptOr1stLine = QStringLiteral("Pregunta?");
                s.AnswersOrNextLines = QStringLiteral("*sí|no");
                s.TimeSet = true;
                s.Time = 12;
                s.AudioFileName = QStringLiteral("/so/a.mp3");
                const QString line = ComposeSlideLine(s);
                auto back = ParseSlideLine(line);
                QVERIFY(back);
                const SlideFlags f = ParseSlideFlags(back->Flags);
                const QString what = QStringLiteral("pos %1 markers '%2' -> '%3'")
                                         .arg(pos)
                                         .arg(markers, back->Flags);
                QVERIFY2(int(f.NotePos) == pos, qPrintable(what));
                QVERIFY2(back->Hidden == s.Hidden, qPrintable(what));
                QVERIFY2(f.PWithAnswer == s.PWithAnswer && f.PRandomAnswer == s.PRandomAnswer &&
                             f.PWithPromptForAnswer == s.PWithPromptForAnswer,
                         qPrintable(what));
                QVERIFY2(f.PresTotalTest == s.PresTotalTest, qPrintable(what));
                QVERIFY2(f.NextSlide == s.NextSlide && f.MarkX == s.MarkX && f.MarkY == s.MarkY,
                         qPrintable(what));
                QVERIFY2(f.AudioRepeat == s.AudioRepeat && f.AudioContinue == s.AudioContinue &&
                             f.AudioStop == s.AudioStop,
                         qPrintable(what));
                QCOMPARE(back->Time, quint16(12));
                QCOMPARE(back->AudioFileName, s.AudioFileName);
            }
        }
        // The plain forms others write stay as they are.
        SlideRecord left;
        left.Kind = skImage;
        left.NotePos = NotePosition::Left;
        QCOMPARE(ComposeSlideFlags(left), QStringLiteral("L"));
        left.NotePos = NotePosition::Bottom;
        QCOMPARE(ComposeSlideFlags(left), QStringLiteral("B"));
        SlideRecord doc;
        doc.Kind = skDocument;
        doc.OpenExeEnd = true;
        doc.FileName = QStringLiteral("ignored");
        QCOMPARE(ComposeSlideLine(doc), QStringLiteral("\tOC\t\t\t\t"));
        SlideRecord noQuestion;
        noQuestion.Kind = skTitle;
        noQuestion.PWithAnswer = true; // no paragraph: no question markers
        QCOMPARE(ComposeSlideFlags(noQuestion), QString());
    }

    void replaceTimeKeepsTheRest()
    {
        QCOMPARE(ReplaceTimeField(QStringLiteral("a\tb\tc\td\t\te\tf"), 5),
                 QStringLiteral("a\tb\tc\td\t5\te\tf"));
        QCOMPARE(ReplaceTimeField(QStringLiteral("a\tb\tc\td\t999\t"), 0),
                 QStringLiteral("a\tb\tc\td\t0\t"));
        QCOMPARE(ReplaceTimeField(QStringLiteral("a\tb"), 5), QStringLiteral("a\tb"));
    }
};

QTEST_GUILESS_MAIN(SlideRecordTest)
#include "SlideRecordTest.moc"
