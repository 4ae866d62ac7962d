// The slide preview windows as an editor opens them: the window each kind gets, a picture with
// its note panel or its question, a left-panel file without the row's texts, mark and audio,
// the title, the text view, the video, the answers, F1 and Esc, and an unreadable text file.

#include "editors/ui/SlidePreviews.h"

#include "config/PresentationSettings.h"
#include "editors/ui/TFEdiPresAvi.h"
#include "editors/ui/TFEdiPresImage.h"
#include "editors/ui/TFEdiPresText.h"
#include "editors/ui/TFEdiPresTitle.h"
#include "media/ui/VideoSurface.h"
#include "player/ui/TextSlideView.h"
#include "player/ui/VideoSlideView.h"
#include "slides/ui/QuestionControls.h"
#include "slides/ui/SlideArea.h"
#include "support/FakePlayerView.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"
#include "support/VideoFixtures.h"
#include "support/WindowTest.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace {

// What an editor hands the previews: the settings, the prompter and the main window's audio.
struct Previews
{
    PresentationSettings settings;
    FakePrompter prompter;
    FakePlayerView audio;
    PreviewContext context{settings, prompter};

    Previews() { context.audio = &audio; }

    std::unique_ptr<TFEdiPresentationH> open(const SlidePreviewRequest &r)
    {
        Fallible<std::unique_ptr<TFEdiPresentationH>> made =
            createSlidePreview(r, context, nullptr);
        if (!made.ok())
            return nullptr;
        return made.take();
    }
    QStringList plays() const { return audio.audioLog.filter(QStringLiteral("play")); }
};

SlidePreviewRequest pictureRow(const QString &file)
{
    SlidePreviewRequest r;
    r.kind = skImage;
    r.fileName = file;
    r.audioPath = QStringLiteral("/sons/ones.wav");
    r.promptOr1stLine = QStringLiteral("La platja");
    r.answersOrNextLines = QStringLiteral("a l'estiu");
    r.notePos = NotePosition::Top;
    r.markX = 500;
    r.markY = 500;
    return r;
}

SlidePreviewRequest asQuestion(SlidePreviewRequest r, const QString &answers)
{
    r.pWithAnswer = true;
    r.pWithPromptForAnswer = true;
    r.promptOr1stLine = QStringLiteral("Quina ciutat?");
    r.answersOrNextLines = answers;
    return r;
}

QString lastText(const FakePrompter &p)
{
    return p.shown.empty() ? QString() : p.shown.back().text;
}

} // namespace

class SlidePreviewsTest : public QObject
{
    Q_OBJECT

    SlideListFixture m_fx;
    QString m_picture;

private Q_SLOTS:
    void initTestCase() { m_picture = m_fx.picture(QStringLiteral("platja.png"), 200, 150); }

    // Whatever the current row holds, a left-panel picture shows alone: no note, no mark, and
    // no audio even when the caller passed a track.
    void leftPanelPictureAlone()
    {
        Previews p;
        SlidePreviewRequest r = asQuestion(pictureRow(m_picture), QStringLiteral("*Roma|París"));
        r.fromLeftPanel = true;
        auto w = p.open(r);
        QVERIFY(qobject_cast<TFEdiPresImage *>(w.get()));
        showAndActivate(*w);
        QTRY_VERIFY(w->activated());
        const SlideArea *area = w->slideArea();
        QCOMPARE(area->content(), SlideArea::Content::Picture);
        QVERIFY(!area->notesShown());
        QVERIFY(area->currentLayout().notePanel.isEmpty());
        QVERIFY(!area->scene().mark().visible());
        QVERIFY(!w->hasAnswerControls());
        w.reset();
        QVERIFY(p.plays().isEmpty());
    }

    // A row's track starts when the window is first activated, once, and stops with it.
    void rowAudioPlaysWhileTheWindowIsUp()
    {
        Previews p;
        auto w = p.open(pictureRow(m_picture));
        QVERIFY(w);
        QVERIFY(p.audio.audioLog.isEmpty());
        showAndActivate(*w);
        QTRY_VERIFY(w->activated());
        QCOMPARE(p.audio.audioLog, QStringList{QStringLiteral("play /sons/ones.wav 0")});
        // Another window over it and gone (a message box) activates it again: the track does
        // not start over.
        {
            QWidget other;
            showAndActivate(other);
        }
        w->activateWindow();
        QTRY_VERIFY(w->isActiveWindow());
        QCOMPARE(p.plays().size(), 1);
        w.reset();
        QCOMPARE(p.audio.audioLog.last(), QStringLiteral("stop"));
    }

    // NotePos 1 puts the note at the top; the same row as a question has it at the bottom with
    // its answer buttons, and F1 says how the answers close the window.
    void notePanelTopOrQuestionAtTheBottom()
    {
        Previews p;
        auto note = p.open(pictureRow(m_picture));
        QVERIFY(note);
        note->resize(640, 480);
        showAndActivate(*note);
        SlideArea *area = note->slideArea();
        QVERIFY(area->notesShown());
        QCOMPARE(area->scene().noteDock(), SlideScene::Dock::Top);
        const QRect top = area->currentLayout().notePanel;
        QCOMPARE(top.top(), 0);
        QVERIFY(top.height() < area->height());
        QCOMPARE(area->paragraph1(), QStringLiteral("La platja"));
        QVERIFY(area->scene().mark().visible());
        QTest::keyClick(note.get(), Qt::Key_F1);
        QCOMPARE(lastText(p.prompter), previewHelpText(PreviewHelp::Sizeable));

        auto question =
            p.open(asQuestion(pictureRow(m_picture), QStringLiteral("*Roma|París|Londres")));
        QVERIFY(question);
        showAndActivate(*question);
        area = question->slideArea();
        QCOMPARE(area->scene().noteDock(), SlideScene::Dock::Bottom);
        const SlideScene::Layout L = area->scene().layout(area->size(), area);
        QCOMPARE(L.questionPanel.bottom(), area->height() - 1);
        QVERIFY(L.questionPanel.top() > 0);
        QuestionControls *c = question->answerControls();
        QVERIFY(c);
        QCOMPARE(c->radios().size(), std::size_t(3));
        QCOMPARE(c->radios()[0]->text(), QStringLiteral("Roma"));
        for (const auto &b : c->radios())
            QVERIFY(L.questionPanel.contains(b->geometry()));
        QVERIFY(c->prompt() && c->prompt()->isVisible());
        QTest::keyClick(question.get(), Qt::Key_F1);
        QCOMPARE(lastText(p.prompter), previewHelpText(PreviewHelp::WithAnswers));
    }

    // A correct answer closes the preview, a reaction shows its message in the answer font, a
    // wrong one leaves the window for another try.
    void answersInThePreview()
    {
        Previews p;
        p.settings.FontAnswerMes.FontName = QStringLiteral("DejaVu Serif");
        auto w = p.open(asQuestion(pictureRow(m_picture),
                                   QStringLiteral("*Roma|París//No, és a França|Londres")));
        QVERIFY(w);
        showAndActivate(*w);
        const auto &radios = w->answerControls()->radios();
        QTest::mouseClick(radios[2], Qt::LeftButton);
        QVERIFY(w->isVisible());
        QVERIFY(p.prompter.shown.empty());
        QTest::mouseClick(radios[1], Qt::LeftButton);
        QVERIFY(w->isVisible());
        QCOMPARE(p.prompter.shown.size(), std::size_t(1));
        QCOMPARE(p.prompter.shown[0].text, QStringLiteral("No, és a França"));
        QVERIFY(p.prompter.shown[0].answerMessage);
        QCOMPARE(p.prompter.shown[0].fontFamily, QStringLiteral("DejaVu Serif"));
        QTest::mouseClick(radios[0], Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QCOMPARE(w->result(), int(QDialog::Accepted));
    }

    // A typed answer: Enter with the right text closes the preview.
    void typedAnswerClosesThePreview()
    {
        Previews p;
        p.settings.ByInput = true;
        auto w = p.open(asQuestion(pictureRow(m_picture), QStringLiteral("Roma")));
        QVERIFY(w);
        showAndActivate(*w);
        QVERIFY(w->hasAnswerControls());
        TEditAnsw *box = w->answerControls()->box();
        QVERIFY(box && box->isVisible());
        QTest::keyClicks(box, QStringLiteral("Roma"));
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(!w->isVisible());
        QCOMPARE(w->result(), int(QDialog::Accepted));
    }

    void titleRow()
    {
        Previews p;
        SlidePreviewRequest r;
        r.kind = skTitle;
        r.promptOr1stLine = QStringLiteral("Animals del bosc");
        r.answersOrNextLines = QStringLiteral("Primera part|amb fotos");
        auto w = p.open(r);
        QVERIFY(qobject_cast<TFEdiPresTitle *>(w.get()));
        QCOMPARE(w->windowTitle(), QStringLiteral("Visualització del títol"));
        showAndActivate(*w);
        SlideArea *area = w->slideArea();
        QCOMPARE(area->content(), SlideArea::Content::Title);
        const SlideArea::Layout L = area->currentLayout();
        QVERIFY(!L.text1.isEmpty() && !L.text2.isEmpty());
        QVERIFY(L.text1.bottom() <= L.text2.top());

        // A title question: its answers on the title panel.
        auto q = p.open(asQuestion(r, QStringLiteral("*Guineu|Llop")));
        showAndActivate(*q);
        QVERIFY(q->hasAnswerControls());
        QCOMPARE(q->answerControls()->radios().size(), std::size_t(2));
    }

    // A ".txt" file is shown as plain text in the text slides' font, RTF codes and all; an
    // ".rtf" file is read as rich text.
    void textSlidesInTheTextFont()
    {
        Previews p;
        p.settings.FontText.FontName = QStringLiteral("DejaVu Serif");
        p.settings.FontText.FontSize = 19;
        const QByteArray rtf = "{\\rtf1\\ansi {\\b Hola} m\\'f3n}";
        SlidePreviewRequest r;
        r.kind = skText;
        r.fileName = m_fx.file(QStringLiteral("codis.txt"), rtf);
        auto w = p.open(r);
        auto *text = qobject_cast<TFEdiPresText *>(w.get());
        QVERIFY(text);
        QCOMPARE(text->windowTitle(), QStringLiteral("codis.txt"));
        QCOMPARE(text->textView()->toPlainText(), QString::fromLatin1(rtf));
        QCOMPARE(text->textView()->document()->defaultFont().family(),
                 QStringLiteral("DejaVu Serif"));
        QCOMPARE(text->textView()->document()->defaultFont().pointSize(), 19);
        showAndActivate(*text);
        QCOMPARE(text->slideArea()->contentView(), text->textView());
        QVERIFY(text->textView()->isVisible());
        // Esc and F1 in the text act as in the window.
        QTest::keyClick(text->textView(), Qt::Key_F1);
        QCOMPARE(lastText(p.prompter), previewHelpText(PreviewHelp::Sizeable));
        QTest::keyClick(text->textView(), Qt::Key_Escape);
        QVERIFY(!text->isVisible());

        r.kind = skRichText;
        r.fileName = m_fx.file(QStringLiteral("codis.rtf"), rtf);
        auto rich = p.open(r);
        QVERIFY(rich);
        QCOMPARE(static_cast<TFEdiPresText *>(rich.get())->textView()->toPlainText(),
                 QStringLiteral("Hola món"));
    }

    // A text row's question shows its answers below the text.
    void textQuestionPanel()
    {
        Previews p;
        SlidePreviewRequest r = asQuestion(SlidePreviewRequest(), QStringLiteral("*Sí|No"));
        r.kind = skText;
        r.fileName = m_fx.file(QStringLiteral("pregunta.txt"), "Plou?");
        auto w = p.open(r);
        QVERIFY(w);
        w->resize(640, 480);
        showAndActivate(*w);
        QVERIFY(w->hasAnswerControls());
        auto *text = static_cast<TFEdiPresText *>(w.get());
        const QRect page = text->textView()->geometry();
        for (const auto &b : w->answerControls()->radios())
            QVERIFY(b->geometry().top() >= page.bottom());
    }

    // An unreadable text file: the error, and no window at all.
    void missingTextFileOpensNoWindow()
    {
        Previews p;
        SlidePreviewRequest r;
        r.kind = skText;
        r.fileName = m_fx.path(QStringLiteral("no-hi-es.txt"));
        QVERIFY(!showSlidePreview(r, p.context, nullptr));
        QCOMPARE(p.prompter.texts(),
                 QStringList{QStringLiteral("No es pot obrir el fitxer ") + r.fileName});
        for (QWidget *top : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<TFEdiPresText *>(top));
        QVERIFY(p.audio.audioLog.isEmpty());
    }

    void kindsWithoutAPreview()
    {
        Previews p;
        SlidePreviewRequest r;
        r.kind = skProgram;
        r.fileName = QStringLiteral("/bin/true");
        QVERIFY(!showSlidePreview(r, p.context, nullptr));
        r.kind = skTitle;
        r.editor = PreviewEditor::SoundTable;
        QVERIFY(!showSlidePreview(r, p.context, nullptr));
        QVERIFY(p.prompter.shown.empty());
    }

    // The entry point shows the window modally, maximised, and frees it when it is closed.
    void shownModallyAndFreed()
    {
        Previews p;
        SlidePreviewRequest r = pictureRow(m_picture);
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto *w = qobject_cast<TFEdiPresImage *>(QApplication::activeModalWidget());
            if (!w)
                return;
            seen = true;
            QTRY_VERIFY(w->activated());
            QVERIFY(w->isMaximized());
            QVERIFY(w->windowTitle().startsWith(QStringLiteral("platja.png  ")));
            QVERIFY(w->windowTitle().endsWith(QLatin1Char('%')));
            QTest::keyClick(w, Qt::Key_Escape);
        });
        QVERIFY(showSlidePreview(r, p.context, nullptr));
        QVERIFY(seen);
        QCOMPARE(p.audio.audioLog,
                 (QStringList{QStringLiteral("play /sons/ones.wav 0"), QStringLiteral("stop")}));
        for (QWidget *top : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<TFEdiPresImage *>(top));
    }

    // An AVI starts on the first activation in the player's video view, with its note below;
    // the replay button is there from then on.
    void videoStartsOnActivation()
    {
        QVERIFY(VideoFixtures::available());
        const QString avi = m_fx.path(QStringLiteral("clip.avi"));
        QVERIFY(VideoFixtures::testPattern(avi));
        Previews p;
        SlidePreviewRequest r;
        r.kind = skVideo;
        r.fileName = avi;
        r.promptOr1stLine = QStringLiteral("Un vídeo");
        auto w = p.open(r);
        auto *video = qobject_cast<TFEdiPresAvi *>(w.get());
        QVERIFY(video);
        QVERIFY(!video->replayAction()->isEnabled());
        QCOMPARE(video->videoView().showing(), VideoSlideView::Showing::Nothing);
        showAndActivate(*video);
        QTRY_VERIFY(video->activated());
        QCOMPARE(video->videoView().showing(), VideoSlideView::Showing::Video);
        QVERIFY(video->replayAction()->isEnabled());
        QCOMPARE(video->slideArea()->scene().noteDock(), SlideScene::Dock::Bottom);
        QTRY_VERIFY_WITH_TIMEOUT(video->videoView().surface()->hasFrame(), 20000);
        QVERIFY(p.prompter.shown.empty());
    }
};

QTEST_MAIN(SlidePreviewsTest)
#include "SlidePreviewsTest.moc"
