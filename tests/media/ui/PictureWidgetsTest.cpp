#include "media/ui/TAdvImageNew.h"
#include "media/ui/TGradPan0.h"
#include "support/SlideListFixture.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

class PictureWidgetsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void moveablePanelMovesAndResizes()
    {
        QWidget parent;
        parent.resize(400, 300);
        TGradPan0 panel(&parent);
        panel.setGeometry(50, 50, 200, 100);
        panel.panel().Moveable = true;
        parent.show();
        // 3 pixels from the right edge: a resize from the right.
        QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(197, 50));
        QMouseEvent move(QEvent::MouseMove, QPointF(217, 50), panel.mapToGlobal(QPointF(217, 50)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&panel, &move);
        QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(217, 50));
        QCOMPARE(panel.geometry(), QRect(50, 50, 220, 100));
        // The middle moves the whole panel.
        QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(100, 50));
        QMouseEvent drag(QEvent::MouseMove, QPointF(110, 60), panel.mapToGlobal(QPointF(110, 60)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&panel, &drag);
        QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(110, 60));
        QCOMPARE(panel.geometry(), QRect(60, 60, 220, 100));
    }

    void clickingSetsTheMark()
    {
        SlideListFixture fx;
        const QString pic = fx.picture(QStringLiteral("m.png"), 200, 100);
        TAdvImageNew view;
        view.resize(200, 100);
        view.panel().BevelOuter = TBevelCut::bvNone;
        QSignalSpy drawn(&view, &TAdvImageNew::changeDrawSize);
        view.Image().LoadImage(pic);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.repaint();
        QVERIFY(!drawn.isEmpty());
        const QRect r = view.Image().pictureRect();
        QVERIFY(r.width() > 0);
        view.MarkSetPos = true;
        QSignalSpy marks(&view, &TAdvImageNew::markPosChanged);
        QTest::mouseClick(&view, Qt::LeftButton, {},
                          r.topLeft() + QPoint(r.width() / 2, r.height() / 4));
        QCOMPARE(marks.size(), 1);
        QCOMPARE(view.MarkPos().x(), 500);
        QVERIFY(std::abs(view.MarkPos().y() - 250) <= 10);
        // Outside the picture nothing changes.
        view.resize(400, 300);
        view.repaint();
        QVERIFY(!view.Image().pictureRect().contains(QPoint(390, 290)));
        QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(390, 290));
        QCOMPARE(marks.size(), 1);
    }

    void ctrlDragZoomsOnlyWhileAllowedAndNoMarkShows()
    {
        SlideListFixture fx;
        const QString pic = fx.picture(QStringLiteral("z.png"), 200, 100);
        TAdvImageNew view;
        view.resize(200, 100);
        view.panel().BevelOuter = TBevelCut::bvNone;
        view.Image().StretchRatio = true;
        view.Image().LoadImage(pic);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.repaint();
        const auto drag = [&view] {
            QTest::mousePress(&view, Qt::LeftButton, Qt::ControlModifier, QPoint(20, 20));
            QMouseEvent move(QEvent::MouseMove, QPointF(80, 60), view.mapToGlobal(QPointF(80, 60)),
                             Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
            QApplication::sendEvent(&view, &move);
            QTest::mouseRelease(&view, Qt::LeftButton, Qt::ControlModifier, QPoint(80, 60));
            return view.Image().Zoomed();
        };
        QVERIFY(!drag()); // not allowed yet
        view.setManualZoomAllowed(true);
        view.setMarkPos({500, 500});
        QVERIFY(!drag()); // a mark shows
        view.setMarkPos({-1, -1});
        QVERIFY(drag());
        QVERIFY(view.Image().ZoomPercent() > 100);
        // A double click leaves the zoom.
        QTest::mouseDClick(&view, Qt::LeftButton, {}, QPoint(50, 50));
        QVERIFY(!view.Image().Zoomed());
        // Turned off, the mark hidden or not, Ctrl+drag is an ordinary press again.
        view.setManualZoomAllowed(false);
        QVERIFY(!drag());
    }
};

QTEST_MAIN(PictureWidgetsTest)
#include "PictureWidgetsTest.moc"
