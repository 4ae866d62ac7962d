#include "slides/SlideScene.h"
#include "slides/SlideExport.h"
#include "slides/ui/SlideArea.h"

#include "config/PresentationSettings.h"
#include "config/PresentationSettingsFile.h"
#include "config/TNewIniFile.h"
#include "media/TMPTimerPool.h"
#include "support/FakeScheduler.h"
#include "support/GifTiming.h"
#include "support/SlideListFixture.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

SlideRecord imageSlide(const QString &path, int notePos, const QString &p1, const QString &p2 = {})
{
    SlideRecord s;
    s.FileName = path;
    s.Kind = skImage;
    s.NotePos = NotePosition(notePos);
    s.PromptOr1stLine = p1;
    s.AnswersOrNextLines = p2;
    return s;
}

QString savePicture(SlideListFixture &fx, const QString &name, QSize size, QColor colour)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(colour);
    const QString path = fx.path(name);
    img.save(path, "PNG");
    return path;
}

// Three frames whose own delays (55, 100 and 250 ms) are not what the speed asks.
} // namespace

class SlideSceneTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void hideNoteAndPermanentPanels()
    {
        SlideListFixture fx;
        PresentationSettings s;
        SlideScene scene(s);
        const QString pic = savePicture(fx, QStringLiteral("p.png"), {50, 50}, Qt::red);
        scene.showImageSlide(imageSlide(pic, 1, QStringLiteral("Nota")));
        QCOMPARE(scene.noteDock(), SlideScene::Dock::Top);
        s.HideNote = true;
        scene.refreshNotes();
        QCOMPARE(scene.noteDock(), SlideScene::Dock::None);
        s.HideNote = false;
        scene.refreshNotes(); // turned off again: back on the same slide
        QCOMPARE(scene.noteDock(), SlideScene::Dock::Top);
        // A slide without notes hides the panel, unless it is permanent and sized by hand.
        scene.showImageSlide(imageSlide(pic, 3, {}));
        QCOMPARE(scene.noteDock(), SlideScene::Dock::None);
        s.PermanentNotePanels = true;
        s.PanelNoteTB = {true, 60};
        scene.showImageSlide(imageSlide(pic, 3, QStringLiteral("Nota")));
        scene.showImageSlide(imageSlide(pic, 0, {}));
        QCOMPARE(scene.noteDock(), SlideScene::Dock::Bottom);
        QVERIFY(scene.noteText1().isEmpty());
        QCOMPARE(scene.layout({400, 300}, nullptr).notePanel, QRect(0, 240, 400, 60));
        // The left/right section is not sized by hand: that panel goes.
        scene.showImageSlide(imageSlide(pic, 2, QStringLiteral("Nota")));
        scene.showImageSlide(imageSlide(pic, 2, {}));
        QCOMPARE(scene.noteDock(), SlideScene::Dock::None);
    }

    void titleWithGradientAndShadow()
    {
        PresentationSettings s;
        s.TitlePanel.ColorStart = 0x000000;
        s.TitlePanel.ColorEnd = 0xFFFFFF;
        s.TitlePanel.ColorBackGroundEffect = bdUp;
        s.FontTitle1rsLine.FontSize = 40;
        s.FontTitle1rsLine.Color = 0x0000FF;       // red
        s.FontTitle1rsLine.ShadowColor = 0x00FF00; // green
        s.FontTitle1rsLine.ShadowSize = 6;
        s.FontTitle1rsLine.ShadowPos = 2;
        SlideScene scene(s);
        SlideRecord t;
        t.Kind = skTitle;
        t.PromptOr1stLine = QStringLiteral("HHHH");
        scene.showTitleSlide(t);
        QImage img(400, 400, QImage::Format_RGB32);
        {
            QPainter p(&img);
            scene.paint(p, img.size(), QApplication::palette());
        }
        // The gradient runs from black at the top (inside the bevel) to nearly white.
        QVERIFY(qRed(img.pixel(200, 3)) < 8);
        QVERIFY(qRed(img.pixel(200, 396)) > 240);
        int red = 0, green = 0;
        const QRect r = scene.layout(img.size(), &img).labels.label1;
        int greenBelowRight = 0;
        for (int y = r.top(); y < r.bottom() + 8; ++y)
            for (int x = r.left(); x < r.right() + 8; ++x) {
                const QRgb c = img.pixel(x, y);
                if (qRed(c) > 200 && qGreen(c) < 60)
                    ++red;
                if (qGreen(c) > 200 && qRed(c) < 60 && qBlue(c) < 60) {
                    ++green;
                    greenBelowRight += x > r.center().x();
                }
            }
        QVERIFY(red > 100);
        QVERIFY(green > 20);
        QVERIFY(greenBelowRight > green / 2); // the shadow falls right and down
    }

    void exportWritesEveryVisibleLine()
    {
        SlideListFixture fx;
        const QString pic = savePicture(fx, QStringLiteral("a.png"), {300, 200}, Qt::blue);
        SlideList list;
        list.lines << QStringLiteral("\t\tTítol\tSegona\t\t")
                   << QStringLiteral("a.png\tN0x500y500\tNota\t\t\t")
                   << QStringLiteral("a.png\tH\tAmagada\t\t\t")
                   << QStringLiteral("falta.png\t\t\t\t\t") << QStringLiteral("text.txt\t\t\t\t\t");
        PresentationSettings s;
        s.MarkSize = 30;
        s.MarkBrushColor = 0x00FF00;
        const QString out = fx.path(QStringLiteral("out"));
        const SlideExportResult r = ExportSlides(list, fx.path(QStringLiteral("l.sal")), s, out,
                                                 {640, 480}, 1.0, QApplication::palette());
        QVERIFY(r.fatal.isEmpty());
        QCOMPARE(r.written, 4);
        QCOMPARE(r.problems.size(), 1);
        QVERIFY(r.problems.first().contains(QStringLiteral("No existeix 'falta.png'")));
        QStringList files = QDir(out).entryList(QDir::Files, QDir::Name);
        QCOMPARE(files, QStringList({QStringLiteral("001.png"), QStringLiteral("002.png"),
                                     QStringLiteral("004.png"), QStringLiteral("005.png")}));
        const QImage second(QDir(out).filePath(QStringLiteral("002.png")));
        QCOMPARE(second.size(), QSize(640, 480));
        // The mark sits in the middle of the picture, which lies right of the note panel.
        SlideScene scene(s);
        scene.showImageSlide(imageSlide(pic, 0, QStringLiteral("Nota")));
        scene.updateDrawSize({640, 480}, nullptr);
        const QPoint middle = scene.image().pictureRect().center();
        QCOMPARE(QColor(second.pixel(middle)), QColor(Qt::green));
        QCOMPARE(QColor(second.pixel(middle + QPoint(40, 0))), QColor(Qt::blue));
        QVERIFY(scene.layout({640, 480}, nullptr).notePanel.left() == 0);
    }

    void imageMarginFollowsTheFrameSettings()
    {
        // A wide picture fitted to the panel touches its left and right edges; with the minimum
        // margin on, it keeps that margin on every side, on screen and in the export alike.
        SlideListFixture fx;
        savePicture(fx, QStringLiteral("ample.png"), {800, 200}, Qt::blue);
        const QString pic = fx.path(QStringLiteral("ample.png"));
        const QSize area(640, 480);
        PresentationSettings s;
        SlideScene scene(s);
        scene.showImageSlide(imageSlide(pic, 3, {}));
        const QRect client = scene.imageClientRect(area, nullptr);
        scene.updateDrawSize(area, nullptr);
        QCOMPARE(scene.image().pictureRect().left(), client.left());
        QCOMPARE(scene.image().pictureRect().right(), client.right());

        // Read as `--set Image.ImgFrameEnabled=1 --set Image.ImgFrameWidth=50` gives them.
        TNewIniFile ini;
        ini.loadFromBytes("[Image]\nImgFrameEnabled=1\nImgFrameWidth=50\n");
        ReadPresentationSettings(ini, s);
        scene.applySettings();
        scene.updateDrawSize(area, nullptr);
        const QRect framed = scene.image().pictureRect();
        QCOMPARE(framed.left(), client.left() + 50);
        QCOMPARE(framed.right(), client.right() - 50);
        QVERIFY(framed.top() >= client.top() + 50 && framed.bottom() <= client.bottom() - 50);

        SlideList list;
        list.lines << QStringLiteral("ample.png\t\t\t\t\t");
        const QString out = fx.path(QStringLiteral("out"));
        const SlideExportResult r = ExportSlides(list, fx.path(QStringLiteral("l.sal")), s, out,
                                                 area, 1.0, QApplication::palette());
        QCOMPARE(r.written, 1);
        const QImage png(QDir(out).filePath(QStringLiteral("001.png")));
        QCOMPARE(png.size(), area);
        const auto blue = [&png](int x, int y) { return png.pixel(x, y) == qRgb(0, 0, 255); };
        int inMargin = 0;
        for (int y = client.top(); y <= client.bottom(); ++y)
            for (int x = client.left(); x <= client.right(); ++x)
                if (!client.adjusted(50, 50, -50, -50).contains(x, y))
                    inMargin += blue(x, y);
        QCOMPARE(inMargin, 0);
        const int middle = framed.center().y();
        QVERIFY(blue(client.left() + 50, middle) && blue(client.right() - 50, middle));
        QVERIFY(!blue(client.left() + 49, middle) && !blue(client.right() - 49, middle));
    }

    void gifFramesStepOnTheClockAndZoomFollowsTheMouse()
    {
        SlideListFixture fx;
        PresentationSettings s;
        FakeScheduler clock;
        SlideArea area(s, &clock);
        area.resize(400, 300);
        SlidePicture pic;
        pic.image = QImage(40, 30, QImage::Format_RGB32);
        pic.image.fill(Qt::red);
        pic.naturalSize = pic.image.size();
        for (int d : {100, 300}) {
            PictureFrame f;
            f.image = pic.image;
            f.delayMs = d;
            pic.frames.push_back(f);
        }
        const QString path = savePicture(fx, QStringLiteral("a.png"), {40, 30}, Qt::red);
        area.scene().image().setPicture(path, pic);
        area.scene().image().GIFAnimate = true;
        area.stepAnimation();
        QCOMPARE(area.scene().image().frameIndex(), 1);
        // The speed (10: 100 ms) sets every frame's time, not the frames' own delays.
        QCOMPARE(clock.lastDelayMs(), 100);
        clock.advance(100);
        QCOMPARE(area.scene().image().frameIndex(), 0);
        clock.advance(100);
        QCOMPARE(area.scene().image().frameIndex(), 1);
        area.clearSlide();
        QCOMPARE(clock.pendingTimers(), 0);
    }

    // The animation switched off and on again from the commands: the picture stops on its frame
    // and moves on from there.
    void switchingTheAnimationStopsAndRestartsIt()
    {
        SlideListFixture fx;
        PresentationSettings s;
        s.ImgGifAnimate = true;
        FakeScheduler clock;
        SlideArea area(s, &clock);
        area.resize(400, 300);
        const QString gif = fx.file(QStringLiteral("a.gif"), threeFrameGif());
        QCOMPARE(area.showSlide(imageSlide(gif, 0, QStringLiteral("Nota"))), QString());
        const TAdvImage &img = area.scene().image();
        clock.advance(100);
        QCOMPARE(img.frameIndex(), 1);
        s.ImgGifAnimate = false;
        area.settingsChanged();
        QCOMPARE(clock.pendingTimers(), 0);
        clock.advance(500);
        QCOMPARE(img.frameIndex(), 1);
        s.ImgGifAnimate = true;
        area.settingsChanged();
        area.settingsChanged(); // once running, settings changes leave it alone
        clock.advance(100);
        QCOMPARE(img.frameIndex(), 2);
    }

    void gifSpeedSetsEveryFramesTime_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("frameMs");
        QTest::newRow("10") << 10 << 100;
        QTest::newRow("2: the 55 ms floor") << 2 << 55;
        QTest::newRow("20") << 20 << 200;
        QTest::newRow("1") << 1 << 55;
        QTest::newRow("5") << 5 << 55;
        QTest::newRow("6") << 6 << 60;
        QTest::newRow("15") << 15 << 150;
        QTest::newRow("50") << 50 << 500;
    }
    void gifSpeedSetsEveryFramesTime()
    {
        QFETCH(int, speed);
        QFETCH(int, frameMs);
        SlideListFixture fx;
        PresentationSettings s;
        s.ImgGifAnimate = true;
        s.ImgGifAnimateSpeed = std::uint16_t(speed);
        FakeScheduler clock;
        SlideArea area(s, &clock);
        area.resize(400, 300);
        const QString gif = fx.file(QStringLiteral("a.gif"), threeFrameGif());
        QCOMPARE(area.showSlide(imageSlide(gif, 0, QStringLiteral("Nota"))), QString());
        QCOMPARE(area.content(), SlideArea::Content::Picture);
        // The frames change on the shared animation timer at every multiple of the frame time.
        QCOMPARE(TMPTimerPool::shared(clock)->timerIntervalMs(), qint64(frameMs));
        const TAdvImage &img = area.scene().image();
        QCOMPARE(img.frameIndex(), 0);
        const FrameSteps steps = stepFrames(clock, img, 7 * frameMs);
        QCOMPARE(steps.times, multiplesOf(frameMs, 7));
        QCOMPARE(steps.frames, (std::vector<int>{1, 2, 0, 1, 2, 0, 1}));
    }
};

QTEST_MAIN(SlideSceneTest)
#include "SlideSceneTest.moc"
