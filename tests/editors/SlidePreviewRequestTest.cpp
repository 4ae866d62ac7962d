// Which preview window a kind gets from each editor, and the slide a preview shows: what a
// left-panel file and the table editor leave out, where a question's note goes, the audio track,
// what an answer does and the help texts.

#include "editors/SlidePreviewRequest.h"

#include <QTest>

Q_DECLARE_METATYPE(TSlideKind)
Q_DECLARE_METATYPE(PreviewWindow)

namespace {

// An image row with both texts, a track, a mark and its note at the top.
SlidePreviewRequest imageRow()
{
    SlidePreviewRequest r;
    r.kind = skImage;
    r.fileName = QStringLiteral("/fotos/platja.jpg");
    r.audioPath = QStringLiteral("/sons/ones.mp3");
    r.promptOr1stLine = QStringLiteral("La platja");
    r.answersOrNextLines = QStringLiteral("a l'estiu|amb sol");
    r.notePos = NotePosition::Top;
    r.markX = 250;
    r.markY = 700;
    return r;
}

} // namespace

class SlidePreviewRequestTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowForKindAndEditor_data()
    {
        QTest::addColumn<TSlideKind>("kind");
        QTest::addColumn<PreviewWindow>("slideList");
        QTest::addColumn<PreviewWindow>("soundTable");
        QTest::newRow("image") << skImage << PreviewWindow::Image << PreviewWindow::Image;
        QTest::newRow("rtf") << skRichText << PreviewWindow::Text << PreviewWindow::Text;
        QTest::newRow("txt") << skText << PreviewWindow::Text << PreviewWindow::Text;
        QTest::newRow("title") << skTitle << PreviewWindow::Title << PreviewWindow::None;
        QTest::newRow("web") << skWeb << PreviewWindow::Web << PreviewWindow::None;
        QTest::newRow("avi") << skVideo << PreviewWindow::Avi << PreviewWindow::None;
        QTest::newRow("mov") << skMovie << PreviewWindow::Mov << PreviewWindow::None;
        QTest::newRow("list") << skPresentation << PreviewWindow::None << PreviewWindow::None;
        QTest::newRow("program") << skProgram << PreviewWindow::None << PreviewWindow::None;
        QTest::newRow("document") << skDocument << PreviewWindow::None << PreviewWindow::None;
    }
    void windowForKindAndEditor()
    {
        QFETCH(TSlideKind, kind);
        QFETCH(PreviewWindow, slideList);
        QFETCH(PreviewWindow, soundTable);
        QCOMPARE(previewWindowFor(kind, PreviewEditor::SlideList), slideList);
        QCOMPARE(previewWindowFor(kind, PreviewEditor::SoundTable), soundTable);
    }

    // A file chosen in the left panel is no row: the current row's texts, question, mark and
    // track are not its own, even when the caller passed them.
    void leftPanelFileShowsNothingOfTheRow()
    {
        SlidePreviewRequest r = imageRow();
        r.fromLeftPanel = true;
        r.pWithAnswer = true;
        const SlideRecord s = previewSlide(r);
        QCOMPARE(s.FileName, r.fileName);
        QCOMPARE(s.Kind, skImage);
        QVERIFY(s.PromptOr1stLine.isEmpty());
        QVERIFY(s.AnswersOrNextLines.isEmpty());
        QVERIFY(!s.PWithAnswer);
        QCOMPARE(s.MarkX, -1);
        QCOMPARE(s.MarkY, -1);
        QVERIFY(s.AudioFileName.isEmpty());
        QVERIFY(previewAudio(r).isEmpty());
    }

    // On a picture a question's note panel goes to the bottom, whatever the row's position;
    // other kinds keep theirs (the player docks their question itself).
    void questionOnPictureGoesToTheBottom()
    {
        SlidePreviewRequest r = imageRow();
        r.pWithAnswer = true;
        r.pRandomAnswer = true;
        r.pWithPromptForAnswer = true;
        r.answersOrNextLines = QStringLiteral("*Roma|París");
        SlideRecord s = previewSlide(r);
        QCOMPARE(s.AnswersOrNextLines, r.answersOrNextLines);
        QCOMPARE(s.MarkX, 250);
        QCOMPARE(s.AudioFileName, r.audioPath);
        QCOMPARE(s.NotePos, NotePosition::Bottom);
        QVERIFY(s.PWithAnswer && s.PRandomAnswer && s.PWithPromptForAnswer);
        r.pWithAnswer = false;
        QCOMPARE(previewSlide(r).NotePos, NotePosition::Top);
        r.pWithAnswer = true;
        r.notePos = NotePosition::Right;
        QCOMPARE(previewSlide(r).NotePos, NotePosition::Bottom);
        r.kind = skTitle;
        r.fileName.clear();
        QCOMPARE(previewSlide(r).NotePos, NotePosition::Right);
    }

    // The images/sounds table's previews show no note panel and no answer panel; the mark and
    // the track of the record stay.
    void soundTableShowsNoTexts()
    {
        SlidePreviewRequest r = imageRow();
        r.editor = PreviewEditor::SoundTable;
        r.pWithAnswer = true;
        SlideRecord s = previewSlide(r);
        QVERIFY(s.PromptOr1stLine.isEmpty() && s.AnswersOrNextLines.isEmpty());
        QVERIFY(!s.PWithAnswer);
        QCOMPARE(s.MarkX, 250);
        QCOMPARE(s.AudioFileName, r.audioPath);
        r.kind = skText;
        r.fileName = QStringLiteral("/textos/a.txt");
        s = previewSlide(r);
        QVERIFY(!s.PWithAnswer);
        QCOMPARE(s.Kind, skText);
    }

    void answerActions()
    {
        const auto action = [](int tag) {
            SlideAnswer a;
            a.tag = tag;
            return previewAnswerAction(a);
        };
        QCOMPARE(action(0), PreviewAnswerAction::Stay);     // wrong: another try
        QCOMPARE(action(1), PreviewAnswerAction::Close);    // correct
        QCOMPARE(action(2), PreviewAnswerAction::Reaction); // its reaction shows
        QCOMPARE(action(3), PreviewAnswerAction::Stay);     // a jump alone is not correct
        QCOMPARE(action(4), PreviewAnswerAction::Close);    // correct with a jump
        QCOMPARE(action(5), PreviewAnswerAction::Close);    // scored
    }

    void helpTexts()
    {
        const QString first =
            QStringLiteral("No hi ha ajuda específica.\r\nPrem 'Esc' per tancar la finestra\r\n");
        QCOMPARE(previewHelpText(PreviewHelp::Borderless), first + QStringLiteral("."));
        QCOMPARE(previewHelpText(PreviewHelp::Sizeable),
                 first + QStringLiteral("\r\no amb el ratolí amb la forma habitual."));
        QCOMPARE(previewHelpText(PreviewHelp::WithAnswers),
                 first + QStringLiteral("\r\no amb el ratolí amb la forma habitual,\r\no clicant "
                                        "la resposta correcta."));
    }
};

QTEST_GUILESS_MAIN(SlidePreviewRequestTest)
#include "SlidePreviewRequestTest.moc"
