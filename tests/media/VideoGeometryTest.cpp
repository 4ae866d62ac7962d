// Where a video is drawn: the AVI display rectangle, the movie box with its bands, and the
// movie toolbox's error texts.

#include "media/VideoGeometry.h"
#include "media/QuickTimeErrorText.h"

#include <QRegion>
#include <QSet>
#include <QTest>

using VideoGeometry::FitVideo;
using VideoGeometry::MovieBox;
using VideoGeometry::placeMovieBox;

class VideoGeometryTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fitVideo_data()
    {
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("ampliation");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("doubled, room for it: centred")
            << QSize(320, 240) << true << 200 << QSize(1000, 800) << QRect(180, 160, 640, 480);
        QTest::newRow("doubled, too big: fitted keeping proportions")
            << QSize(320, 240) << true << 200 << QSize(500, 400) << QRect(0, 12, 500, 375);
        QTest::newRow("ampliation off: natural size, never enlarged")
            << QSize(320, 240) << false << 200 << QSize(1000, 800) << QRect(340, 280, 320, 240);
        QTest::newRow("ampliation of 100 changes nothing")
            << QSize(320, 240) << true << 100 << QSize(1000, 800) << QRect(340, 280, 320, 240);
        QTest::newRow("enlargement rounded on each side")
            << QSize(321, 241) << true << 150 << QSize(1000, 800) << QRect(259, 219, 482, 362);
        QTest::newRow("reduction below 100")
            << QSize(320, 240) << true << 50 << QSize(1000, 800) << QRect(420, 340, 160, 120);
        QTest::newRow("too wide only")
            << QSize(640, 480) << false << 200 << QSize(300, 900) << QRect(0, 337, 300, 225);
        QTest::newRow("too high only")
            << QSize(480, 640) << false << 200 << QSize(900, 300) << QRect(337, 0, 225, 300);
        QTest::newRow("too big both ways, height decides")
            << QSize(640, 480) << false << 200 << QSize(400, 200) << QRect(67, 0, 266, 200);
        QTest::newRow("odd leftover goes right and down")
            << QSize(100, 100) << false << 100 << QSize(201, 103) << QRect(50, 1, 100, 100);
        QTest::newRow("sound only: nothing to place")
            << QSize(0, 0) << true << 200 << QSize(1000, 800) << QRect();
        QTest::newRow("collapsed panel")
            << QSize(320, 240) << true << 200 << QSize(0, 800) << QRect();
    }

    void fitVideo()
    {
        QFETCH(QSize, natural);
        QFETCH(bool, enabled);
        QFETCH(int, ampliation);
        QFETCH(QSize, client);
        QFETCH(QRect, expected);
        QCOMPARE(FitVideo(natural, enabled, ampliation, client), expected);
    }

    void fitVideoStaysInsideThePanelForExtremeSizes()
    {
        // Sizes no real video has must not overflow nor leave the panel.
        for (const QSize natural : {QSize(1 << 30, 1), QSize(1, 1 << 30), QSize(65535, 65535)}) {
            const QRect r = FitVideo(natural, true, 65535, QSize(1920, 1080));
            QVERIFY2(
                QRect(0, 0, 1920, 1080).contains(r) || r.isEmpty(),
                qPrintable(QStringLiteral("%1x%2").arg(natural.width()).arg(natural.height())));
        }
        QCOMPARE(FitVideo(QSize(320, 240), true, 0, QSize(1000, 800)), QRect(340, 280, 320, 240));
    }

    void movieBox_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<bool>("keepScale");
        QTest::addColumn<QRect>("box");
        QTest::addColumn<QRect>("band1");
        QTest::addColumn<QRect>("band2");
        QTest::newRow("wide movie in a square: bands above and below")
            << QSize(400, 400) << QSize(320, 240) << true << QRect(0, 50, 400, 300)
            << QRect(0, 0, 400, 50) << QRect(0, 350, 400, 50);
        QTest::newRow("narrow control: bands left and right, offset rounded up")
            << QSize(400, 200) << QSize(320, 240) << true << QRect(67, 0, 266, 200)
            << QRect(0, 0, 67, 200) << QRect(333, 0, 67, 200);
        QTest::newRow("odd leftover: the offset takes the larger half on both sides")
            << QSize(400, 401) << QSize(320, 240) << true << QRect(0, 51, 400, 300)
            << QRect(0, 0, 400, 51) << QRect(0, 350, 400, 51);
        QTest::newRow("same proportions: no bands") << QSize(320, 240) << QSize(640, 480) << true
                                                    << QRect(0, 0, 320, 240) << QRect() << QRect();
        QTest::newRow("without keep-scale the movie fills the control")
            << QSize(400, 400) << QSize(320, 240) << false << QRect(0, 0, 400, 400) << QRect()
            << QRect();
        QTest::newRow("sound only fills the control")
            << QSize(400, 400) << QSize(0, 0) << true << QRect(0, 0, 400, 400) << QRect()
            << QRect();
        QTest::newRow("huge natural size does not overflow")
            << QSize(4000, 3000) << QSize(1 << 30, 1 << 29) << true << QRect(0, 500, 4000, 2000)
            << QRect(0, 0, 4000, 500) << QRect(0, 2500, 4000, 500);
    }

    void movieBox()
    {
        QFETCH(QSize, client);
        QFETCH(QSize, natural);
        QFETCH(bool, keepScale);
        QFETCH(QRect, box);
        QFETCH(QRect, band1);
        QFETCH(QRect, band2);
        const MovieBox m = placeMovieBox(client, natural, keepScale);
        QCOMPARE(m.box, box);
        QCOMPARE(m.band1, band1);
        QCOMPARE(m.band2, band2);
        // The bands and the box together cover the whole control.
        const QRegion covered = QRegion(m.box) + QRegion(m.band1) + QRegion(m.band2);
        QCOMPARE(covered, QRegion(QRect(QPoint(0, 0), client)));
    }

    void errorTexts_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("no error") << 0 << QString();
        QTest::newRow("-2000") << -2000 << QStringLiteral("Cannot use this data reference");
        QTest::newRow("-2002") << -2002 << QStringLiteral("Movie file corrupted");
        QTest::newRow("-2010") << -2010 << QStringLiteral("This movie is corrupted or invalid");
        QTest::newRow("-2016") << -2016 << QStringLiteral("Cannot write to this movie file");
        QTest::newRow("-2019") << -2019
                               << QStringLiteral("Your progress procedure returned an error");
        QTest::newRow("-2021") << -2021 << QStringLiteral("Cannot locate this file");
        QTest::newRow("-2022") << -2022
                               << QStringLiteral("Error trying to create a single-fork file. "
                                                 "This occurs when the file already exists.");
        QTest::newRow("-2034") << -2034 << QStringLiteral("Internal error");
        QTest::newRow("-2048") << -2048
                               << QStringLiteral("Toolbox cannot find a movie in the movie file");
        QTest::newRow("-2049") << -2049 << QStringLiteral("Invalid data reference");
        for (int gap : {-2017, -2018, -2020, -1999, -2050, 1, -1})
            QTest::newRow(qPrintable(QString::number(gap)))
                << gap << QStringLiteral("Unknown error");
    }

    void errorTexts()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(QuickTimeErrorText(code), text);
    }

    void everyCodeInTheRangeButThreeHasItsOwnText()
    {
        QSet<QString> texts;
        int known = 0;
        for (int code = -2049; code <= -2000; ++code) {
            const QString t = QuickTimeErrorText(code);
            if (t == QLatin1String("Unknown error"))
                continue;
            ++known;
            texts.insert(t);
        }
        QCOMPARE(known, 47);
        QCOMPARE(texts.size(), 47);
    }
};

QTEST_GUILESS_MAIN(VideoGeometryTest)
#include "VideoGeometryTest.moc"
