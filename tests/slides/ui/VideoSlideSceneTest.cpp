// The notes of AVI and movie slides: on the bottom panel, hidden by HideNote, the question's
// panel, and the permanent-panel rule; text and web slides keep theirs off.

#include "slides/SlideScene.h"

#include "config/PresentationSettings.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

SlideRecord slideOf(TSlideKind kind, NotePosition pos, const QString &p1 = {},
                    const QString &p2 = {})
{
    SlideRecord s;
    s.FileName = kind == skMovie ? QStringLiteral("pel·lícula.mov") : QStringLiteral("clip.avi");
    if (kind == skImage)
        s.FileName = QStringLiteral("no-such-picture.png");
    if (kind == skText)
        s.FileName = QStringLiteral("text.txt");
    s.Kind = kind;
    s.NotePos = pos;
    s.PromptOr1stLine = p1;
    s.AnswersOrNextLines = p2;
    return s;
}

const QSize kArea(800, 600);

} // namespace

class VideoSlideSceneTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void notesGoToTheBottomPanelWhateverTheirPosition_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("pos");
        QTest::newRow("AVI, left") << int(skVideo) << int(NotePosition::Left);
        QTest::newRow("AVI, top") << int(skVideo) << int(NotePosition::Top);
        QTest::newRow("movie, right") << int(skMovie) << int(NotePosition::Right);
        QTest::newRow("movie, bottom") << int(skMovie) << int(NotePosition::Bottom);
    }

    void notesGoToTheBottomPanelWhateverTheirPosition()
    {
        QFETCH(int, kind);
        QFETCH(int, pos);
        PresentationSettings s;
        SlideScene scene(s);
        scene.showVideoSlide(slideOf(TSlideKind(kind), NotePosition(pos), QStringLiteral("Un"),
                                     QStringLiteral("dos|tres")));
        QCOMPARE(scene.noteDock(), SlideScene::Dock::Bottom);
        QCOMPARE(scene.noteText1(), QStringLiteral("Un"));
        QCOMPARE(scene.noteText2(), QStringLiteral("dos\ntres"));
        QImage device(kArea, QImage::Format_RGB32);
        const SlideScene::Layout L = scene.layout(kArea, &device);
        // The panel across the bottom, the image panel above it, both labels inside the panel.
        QVERIFY(!L.notePanel.isEmpty());
        QCOMPARE(L.notePanel.bottom(), kArea.height() - 1);
        QCOMPARE(L.notePanel.width(), kArea.width());
        QCOMPARE(L.imagePanel, QRect(0, 0, kArea.width(), L.notePanel.top()));
        QVERIFY(L.notePanel.contains(L.labels.label1));
        QVERIFY(L.notePanel.contains(L.labels.label2));
        QVERIFY(L.labels.label1.bottom() < L.labels.label2.top());
    }

    void hideNoteHidesThemButNotAQuestion()
    {
        PresentationSettings s;
        s.HideNote = true;
        SlideScene scene(s);
        scene.showVideoSlide(slideOf(skVideo, NotePosition::Bottom, QStringLiteral("Nota")));
        QCOMPARE(scene.noteDock(), SlideScene::Dock::None);
        QImage device(kArea, QImage::Format_RGB32);
        QCOMPARE(scene.layout(kArea, &device).imagePanel, QRect(QPoint(0, 0), kArea));

        SlideRecord question = slideOf(skMovie, NotePosition::Left, QStringLiteral("Pregunta?"),
                                       QStringLiteral("Sí|No"));
        question.PWithAnswer = true;
        scene.showVideoSlide(question);
        QCOMPARE(scene.noteDock(), SlideScene::Dock::Bottom);
        // The paragraphs are the question's, never painted as notes.
        QVERIFY(scene.noteText1().isEmpty());
        QVERIFY(scene.noteText2().isEmpty());
    }

    void withoutNotesOnlyAPermanentTopOrBottomPanelStays()
    {
        PresentationSettings s;
        s.PermanentNotePanels = true;
        s.PanelNoteTB.ManualSize = true;
        s.PanelNoteTB.Size = 90;
        s.PanelNoteLR.ManualSize = true;
        SlideScene scene(s);
        QImage device(kArea, QImage::Format_RGB32);

        // A top panel left by a picture stays where it is, emptied.
        scene.showImageSlide(slideOf(skImage, NotePosition::Top, QStringLiteral("Nota")));
        QCOMPARE(scene.noteDock(), SlideScene::Dock::Top);
        scene.showVideoSlide(slideOf(skVideo, NotePosition::Bottom));
        QCOMPARE(scene.noteDock(), SlideScene::Dock::Top);
        QVERIFY(scene.noteText1().isEmpty());
        QCOMPARE(scene.layout(kArea, &device).notePanel, QRect(0, 0, kArea.width(), 90));

        // A left panel does not: a video slide hides it.
        scene.showImageSlide(slideOf(skImage, NotePosition::Left, QStringLiteral("Nota")));
        QCOMPARE(scene.noteDock(), SlideScene::Dock::Left);
        scene.showVideoSlide(slideOf(skMovie, NotePosition::Bottom));
        QCOMPARE(scene.noteDock(), SlideScene::Dock::None);

        // Without a hand-set size, or without permanent panels, the bottom panel goes too.
        scene.showImageSlide(slideOf(skImage, NotePosition::Bottom, QStringLiteral("Nota")));
        s.PanelNoteTB.ManualSize = false;
        scene.showVideoSlide(slideOf(skVideo, NotePosition::Bottom));
        QCOMPARE(scene.noteDock(), SlideScene::Dock::None);
        s.PanelNoteTB.ManualSize = true;
        s.PermanentNotePanels = false;
        scene.showImageSlide(slideOf(skImage, NotePosition::Bottom, QStringLiteral("Nota")));
        scene.showVideoSlide(slideOf(skVideo, NotePosition::Bottom));
        QCOMPARE(scene.noteDock(), SlideScene::Dock::None);
    }

    void textSlidesStillShowNoNotes()
    {
        PresentationSettings s;
        SlideScene scene(s);
        scene.showVideoSlide(slideOf(skVideo, NotePosition::Bottom, QStringLiteral("Nota")));
        scene.showOtherSlide(slideOf(skText, NotePosition::Bottom, QStringLiteral("Nota")));
        QCOMPARE(scene.noteDock(), SlideScene::Dock::None);
        QImage device(kArea, QImage::Format_RGB32);
        QVERIFY(scene.layout(kArea, &device).notePanel.isEmpty());
    }

    void theNotesArePaintedBelowTheVideoContent()
    {
        PresentationSettings s;
        SlideScene scene(s);
        scene.showVideoSlide(slideOf(skVideo, NotePosition::Bottom, QStringLiteral("Nota")));
        bool painted = false;
        QRect given;
        scene.setOtherContent({[&](QPainter &, const QRect &r) {
                                   painted = true;
                                   given = r;
                               },
                               true});
        QImage img(kArea, QImage::Format_RGB32);
        QPainter p(&img);
        scene.paint(p, kArea, QApplication::palette());
        p.end();
        const SlideScene::Layout L = scene.layout(kArea, &img);
        QVERIFY(painted);
        // The content gets the image panel's client area, above the note panel.
        QCOMPARE(given, scene.imageClientRect(kArea, &img));
        QVERIFY(given.bottom() < L.notePanel.top());
    }
};

QTEST_MAIN(VideoSlideSceneTest)
#include "VideoSlideSceneTest.moc"
