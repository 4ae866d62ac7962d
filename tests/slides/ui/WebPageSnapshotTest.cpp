// Pictures of web pages drawn without a window, for the export.

#include "slides/ui/WebPageSnapshot.h"
#include "slides/ui/TextBrowserControl.h"
#include "slides/ui/WebEngineSetup.h"
#include "support/SlideListFixture.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>

class WebPageSnapshotTest : public QObject
{
    Q_OBJECT
public:
    static void initMain() { prepareWebEngine(); }

private Q_SLOTS:
    void pageDrawnInItsColours()
    {
        SlideListFixture fx;
        const QString page = fx.file(
            QStringLiteral("p.htm"),
            QByteArrayLiteral("<html><body style='background:#2040a0;margin:0'>"
                              "<div style='width:100%;height:60px;background:#e0e000'></div>"
                              "</body></html>"));
        Fallible<QImage> shot = WebPageSnapshot(page, QSize(320, 200));
        QVERIFY2(shot.ok(), qPrintable(shot.error()));
        const QImage image = shot.value();
        QCOMPARE(image.size(), QSize(320, 200) * image.devicePixelRatio());
        QCOMPARE(QColor(image.pixel(image.width() / 2, image.height() - 5)),
                 QColor(0x20, 0x40, 0xa0));
        if (haveWebEngine()) // the text browser draws no block backgrounds
            QCOMPARE(QColor(image.pixel(image.width() / 2, 10)), QColor(0xe0, 0xe0, 0x00));
    }

    void missingPageIsAFailure()
    {
        SlideListFixture fx;
        const Fallible<QImage> shot =
            WebPageSnapshot(fx.path(QStringLiteral("no-hi-es.htm")), QSize(200, 100));
        QVERIFY(!shot.ok());
        QVERIFY(shot.error().contains(QStringLiteral("no-hi-es.htm")));
    }

    // A page that is not loaded in time is given up with the reason, never waited for.
    void slowPageGivenUp()
    {
        if (!haveWebEngine())
            QSKIP("The text browser loads at once: nothing to wait for");
        SlideListFixture fx;
        const QString page = fx.file(QStringLiteral("p.htm"), QByteArrayLiteral("<p>Hola</p>"));
        QElapsedTimer clock;
        clock.start();
        const Fallible<QImage> shot =
            WebPageSnapshot(page, QSize(200, 100), std::chrono::milliseconds(1));
        QVERIFY(!shot.ok());
        QVERIFY(shot.error().contains(QStringLiteral("no s'ha acabat de carregar")));
        QVERIFY(clock.elapsed() < 5000);
    }

    // The stand-in browser follows links itself, so each is reported with its full address
    // before it loads, and its text size scales the font.
    void textBrowserReportsLinksAndScales()
    {
        SlideListFixture fx;
        const QString a =
            fx.file(QStringLiteral("a.htm"), QByteArrayLiteral("<a href='b.htm'>b</a>"));
        const QString b = fx.file(QStringLiteral("b.htm"), QByteArrayLiteral("<p>Bé</p>"));
        QWidget host;
        TextBrowserControl control(&host);
        QSignalSpy navigations(&control, &WebBrowserControl::navigationStarting);
        QSignalSpy finished(&control, &WebBrowserControl::loadFinished);
        control.navigate(QUrl::fromLocalFile(a));
        QCOMPARE(navigations.count(), 1);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished[0][0].toBool(), true);
        auto *view = qobject_cast<QTextBrowser *>(control.widget());
        Q_EMIT view->anchorClicked(QUrl(QStringLiteral("b.htm")));
        QCOMPARE(navigations.count(), 2);
        QCOMPARE(navigations[1][0].toUrl(), QUrl::fromLocalFile(b));
        QCOMPARE(control.url(), QUrl::fromLocalFile(b));
        QVERIFY(view->toPlainText().contains(QStringLiteral("Bé")));

        const qreal medium = view->font().pointSizeF();
        control.setTextSize(99);
        QCOMPARE(control.textSize(), WebBrowserControl::kHighestTextSize);
        QCOMPARE(view->font().pointSizeF(), medium * WebBrowserControl::zoomForTextSize(4));
        control.setTextSize(-3);
        QCOMPARE(control.textSize(), WebBrowserControl::kLowestTextSize);
        QVERIFY(view->font().pointSizeF() < medium);
    }
};

QTEST_MAIN(WebPageSnapshotTest)
#include "WebPageSnapshotTest.moc"
