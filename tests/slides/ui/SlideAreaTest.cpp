#include "slides/ui/SlideArea.h"

#include "config/PresentationSettings.h"
#include "presentation/SlideRecord.h"
#include "support/SlideListFixture.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

namespace {

SlideRecord imageSlide(const QString &path, int notePos, const QString &p1, const QString &p2)
{
    SlideRecord s;
    s.FileName = path;
    s.Kind = skImage;
    s.NotePos = NotePosition(notePos);
    s.PromptOr1stLine = p1;
    s.AnswersOrNextLines = p2;
    return s;
}

QString paintPicture(SlideListFixture &fx, const QString &name, QSize size, QColor colour)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(colour);
    const QString path = fx.path(name);
    img.save(path, "PNG");
    return path;
}

bool nearColour(QRgb a, QColor b)
{
    return std::abs(qRed(a) - b.red()) < 8 && std::abs(qGreen(a) - b.green()) < 8 &&
           std::abs(qBlue(a) - b.blue()) < 8;
}

} // namespace

class SlideAreaTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The picture keeps its shape, is never enlarged, fills the free space in one direction
    // when it is larger, and is centred in the space the notes leave.
    void pictureFitsTheFreeSpace_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("area");
        QTest::addColumn<int>("notePos");
        QTest::addColumn<bool>("notes");
        QTest::newRow("small, no notes") << QSize(200, 100) << QSize(800, 600) << 3 << false;
        QTest::newRow("wide, no notes") << QSize(1600, 800) << QSize(800, 600) << 3 << false;
        QTest::newRow("tall, no notes") << QSize(500, 1000) << QSize(800, 600) << 3 << false;
        QTest::newRow("wide, notes left") << QSize(1600, 800) << QSize(800, 600) << 0 << true;
        QTest::newRow("tall, notes right") << QSize(500, 1000) << QSize(800, 600) << 2 << true;
        QTest::newRow("wide, notes top") << QSize(1600, 800) << QSize(800, 600) << 1 << true;
        QTest::newRow("tall, notes bottom") << QSize(500, 1000) << QSize(800, 600) << 3 << true;
        QTest::newRow("exact fit") << QSize(300, 200) << QSize(302, 202) << 3 << false;
        QTest::newRow("tiny area") << QSize(300, 200) << QSize(70, 50) << 3 << false;
    }

    void pictureFitsTheFreeSpace()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, area);
        QFETCH(int, notePos);
        QFETCH(bool, notes);
        SlideListFixture fx;
        PresentationSettings settings;
        SlideArea view(settings);
        view.resize(area);
        view.showSlide(imageSlide(paintPicture(fx, QStringLiteral("p.png"), picture, Qt::red),
                                  notePos, notes ? QStringLiteral("Nota") : QString(), QString()));
        QCOMPARE(view.content(), SlideArea::Content::Picture);
        const SlideArea::Layout L = view.layoutFor(area, nullptr);

        QCOMPARE(!L.notePanel.isEmpty(), notes);
        QVERIFY(!L.picture.isEmpty());
        QVERIFY(L.imagePanel.contains(L.picture));
        QVERIFY(!L.picture.intersects(L.notePanel));
        QVERIFY(L.picture.width() <= picture.width());
        QVERIFY(L.picture.height() <= picture.height());
        const double aspect = double(picture.width()) / picture.height();
        QVERIFY(std::abs(double(L.picture.width()) / L.picture.height() - aspect) < 0.02);
        const bool enlargedNothing = L.picture.size() == picture;
        const bool fillsOneWay = L.imagePanel.width() - L.picture.width() <= 2 ||
                                 L.imagePanel.height() - L.picture.height() <= 2;
        QVERIFY(enlargedNothing || fillsOneWay);
        QVERIFY(std::abs(L.picture.center().x() - L.imagePanel.center().x()) <= 1);
        QVERIFY(std::abs(L.picture.center().y() - L.imagePanel.center().y()) <= 1);
        const int percent = int(std::lround(100.0 * L.picture.width() / picture.width()));
        QVERIFY(std::abs(L.drawSizePercent - percent) <= 1);
        QCOMPARE(view.drawSizePercent(), L.drawSizePercent);
    }

    void notePanelDocksByPosition_data()
    {
        QTest::addColumn<int>("notePos");
        QTest::addColumn<QString>("p1");
        QTest::addColumn<QString>("p2");
        QTest::addColumn<bool>("hideNote");
        QTest::addColumn<QString>("side"); // left, top, right, bottom, none
        QTest::newRow("left") << 0 << "Nota"
                              << "Segona" << false << "left";
        QTest::newRow("top") << 1 << "Nota"
                             << "" << false << "top";
        QTest::newRow("right") << 2 << ""
                               << "Segona" << false << "right";
        QTest::newRow("bottom") << 3 << "Nota"
                                << "Segona" << false << "bottom";
        QTest::newRow("no paragraphs") << 0 << ""
                                       << "" << false << "none";
        QTest::newRow("notes hidden") << 3 << "Nota"
                                      << "Segona" << true << "none";
    }

    void notePanelDocksByPosition()
    {
        QFETCH(int, notePos);
        QFETCH(QString, p1);
        QFETCH(QString, p2);
        QFETCH(bool, hideNote);
        QFETCH(QString, side);
        SlideListFixture fx;
        PresentationSettings settings;
        settings.HideNote = hideNote;
        SlideArea view(settings);
        const QSize area(800, 600);
        view.resize(area);
        view.showSlide(imageSlide(paintPicture(fx, QStringLiteral("p.png"), {100, 100}, Qt::blue),
                                  notePos, p1, p2));
        const SlideArea::Layout L = view.layoutFor(area, nullptr);
        if (side == QLatin1String("none")) {
            QVERIFY(L.notePanel.isEmpty());
            QCOMPARE(L.imagePanel, QRect(QPoint(0, 0), area));
            return;
        }
        const QRect n = L.notePanel;
        if (side == QLatin1String("left") || side == QLatin1String("right")) {
            QCOMPARE(n.height(), area.height());
            // As wide as the wider paragraph and its margins, each paragraph centred in it.
            QVERIFY(n.width() > 0 && n.width() < area.width() / 2);
            for (const QRect &t : {L.text1, L.text2})
                if (!t.isEmpty())
                    QVERIFY(std::abs(t.center().x() - n.center().x()) <= 1);
            QCOMPARE(n.left() == 0, side == QLatin1String("left"));
            QCOMPARE(n.right() == area.width() - 1, side == QLatin1String("right"));
        } else {
            QCOMPARE(n.width(), area.width());
            QVERIFY(n.height() > 0 && n.height() <= area.height() / 2);
            QCOMPARE(n.top() == 0, side == QLatin1String("top"));
            QCOMPARE(n.bottom() == area.height() - 1, side == QLatin1String("bottom"));
        }
        // The paragraphs lie inside the panel, the first above the second.
        for (const QRect &t : {L.text1, L.text2})
            if (!t.isEmpty())
                QVERIFY(n.contains(t));
        QCOMPARE(L.text1.isEmpty(), p1.isEmpty());
        QCOMPARE(L.text2.isEmpty(), p2.isEmpty());
        if (!p1.isEmpty() && !p2.isEmpty())
            QVERIFY(L.text1.bottom() < L.text2.top());
    }

    void manualPanelSizesAreKept()
    {
        SlideListFixture fx;
        PresentationSettings settings;
        settings.PanelNoteLR = {true, 180};
        settings.PanelNoteTB = {true, 90};
        SlideArea view(settings);
        view.resize(800, 600);
        const QString pic = paintPicture(fx, QStringLiteral("p.png"), {100, 100}, Qt::blue);
        view.showSlide(
            imageSlide(pic, 2, QStringLiteral("Una nota molt llarga que no hi cap"), {}));
        QCOMPARE(view.currentLayout().notePanel.width(), 180);
        view.showSlide(imageSlide(pic, 1, QStringLiteral("Nota"), QStringLiteral("Segona")));
        QCOMPARE(view.currentLayout().notePanel.height(), 90);
    }

    void titleLinesAreCentred()
    {
        PresentationSettings settings;
        SlideArea view(settings);
        const QSize area(800, 600);
        view.resize(area);
        SlideRecord s;
        s.Kind = skTitle;
        s.PromptOr1stLine = QStringLiteral("Benvinguts");
        s.AnswersOrNextLines = QStringLiteral("Primera|Segona");
        view.showSlide(s);
        QCOMPARE(view.content(), SlideArea::Content::Title);
        QCOMPARE(view.paragraph2(), QStringLiteral("Primera\nSegona"));
        QCOMPARE(view.drawSizePercent(), -1);
        const SlideArea::Layout L = view.layoutFor(area, nullptr);
        QVERIFY(L.notePanel.isEmpty());
        QVERIFY(L.text1.bottom() < L.text2.top());
        // The second paragraph holds two lines; the first line is larger.
        QVERIFY(L.text2.height() > L.text1.height());
        const int pairMiddle = (L.text1.top() + L.text2.bottom()) / 2;
        QVERIFY(std::abs(pairMiddle - area.height() / 2) <= 2);
        QVERIFY(std::abs(L.text1.center().x() - area.width() / 2) <= 1);
        QVERIFY(std::abs(L.text2.center().x() - area.width() / 2) <= 1);
    }

    void missingAndUndecodablePictures()
    {
        SlideListFixture fx;
        PresentationSettings settings;
        SlideArea view(settings);
        view.resize(400, 300);
        view.showSlide(
            imageSlide(fx.path(QStringLiteral("absent.png")), 3, QStringLiteral("Nota"), {}));
        QCOMPARE(view.content(), SlideArea::Content::Missing);
        // An image slide without a picture is drawn at 0%.
        QCOMPARE(view.drawSizePercent(), 0);
        QVERIFY(view.notesShown());
        // The "No existeix" text is painted in the middle of the picture's space.
        const QImage shot = view.renderToImage(view.size());
        const QRect panel = view.currentLayout().imagePanel;
        const QColor face = view.palette().color(QPalette::Button);
        bool ink = false;
        for (int x = panel.center().x() - 60; x < panel.center().x() + 60 && !ink; ++x)
            for (int y = panel.center().y() - 10; y < panel.center().y() + 10 && !ink; ++y)
                ink = !nearColour(shot.pixel(x, y), face);
        QVERIFY(ink);

        view.showSlide(
            imageSlide(fx.file(QStringLiteral("broken.png"), "not a picture"), 3, {}, {}));
        QCOMPARE(view.content(), SlideArea::Content::Broken);
        QCOMPARE(view.drawSizePercent(), 0);
    }

    void renderedPictureIsWhereTheLayoutSays_data()
    {
        QTest::addColumn<qreal>("dpr");
        QTest::newRow("1x") << qreal(1.0);
        QTest::newRow("2x") << qreal(2.0);
    }

    void renderedPictureIsWhereTheLayoutSays()
    {
        QFETCH(qreal, dpr);
        SlideListFixture fx;
        PresentationSettings settings;
        SlideArea view(settings);
        // A picture with a green left half and a red right half, shown with notes on the left.
        QImage img(400, 200, QImage::Format_RGB32);
        img.fill(Qt::red);
        QPainter(&img).fillRect(0, 0, 200, 200, Qt::green);
        const QString path = fx.path(QStringLiteral("halves.png"));
        QVERIFY(img.save(path, "PNG"));
        view.showSlide(imageSlide(path, 0, QStringLiteral("Nota"), QStringLiteral("Segona")));

        const QSize area(640, 480);
        const QImage shot = view.renderToImage(area, dpr);
        QCOMPARE(shot.size(), (QSizeF(area) * dpr).toSize());
        const SlideArea::Layout L = view.layoutFor(area, &shot);
        QVERIFY(!L.picture.isEmpty());
        auto at = [&](QPoint logical) { return shot.pixel((QPointF(logical) * dpr).toPoint()); };
        const QPoint leftQuarter(L.picture.left() + L.picture.width() / 4, L.picture.center().y());
        const QPoint rightQuarter(L.picture.left() + 3 * L.picture.width() / 4,
                                  L.picture.center().y());
        QVERIFY(nearColour(at(leftQuarter), Qt::green));
        QVERIFY(nearColour(at(rightQuarter), Qt::red));
        // Left of the picture lies the note panel, painted in the button face.
        const QColor face = view.palette().color(QPalette::Button);
        QVERIFY(nearColour(at(QPoint(L.notePanel.left() + 3, L.notePanel.top() + 5)), face));
        QVERIFY(L.notePanel.right() < L.picture.left());
    }

    void drawSizeFollowsResizing()
    {
        SlideListFixture fx;
        PresentationSettings settings;
        SlideArea view(settings);
        view.resize(1000, 700);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy spy(&view, &SlideArea::drawSizeChanged);
        view.showSlide(
            imageSlide(paintPicture(fx, QStringLiteral("p.png"), {1000, 500}, Qt::red), 3, {}, {}));
        QCOMPARE(view.drawSizePercent(), 100);
        QCOMPARE(spy.count(), 1);
        view.resize(502, 400);
        QCOMPARE(view.drawSizePercent(), 50);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.last().at(0).toInt(), 50);
        view.clearSlide();
        QCOMPARE(view.content(), SlideArea::Content::Empty);
        QCOMPARE(view.drawSizePercent(), -1);
        QCOMPARE(spy.last().at(0).toInt(), -1);
    }
};

QTEST_MAIN(SlideAreaTest)
#include "SlideAreaTest.moc"
