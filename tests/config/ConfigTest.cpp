#include "config/PresentationSettings.h"
#include "config/PresentationSettingsFile.h"
#include "config/TNewIniFile.h"

#include <QTest>

class ConfigTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void iniParsingRules()
    {
        TNewIniFile ini;
        ini.loadFromBytes("stray=1\r\n[Opt]\r\n; comment\r\n\r\nA=1\nHex=0x1F\rDollar=$ff\nNeg=-7\n"
                          "Bad=12a\nColor=0x8000000F\nZ=0x\n[opt]\nLate=3\n");
        QCOMPARE(ini.ReadInteger(QStringLiteral("OPT"), QStringLiteral("a"), 0), 1);
        QCOMPARE(ini.ReadInteger(QStringLiteral("Opt"), QStringLiteral("Hex"), 0), 31);
        QCOMPARE(ini.ReadInteger(QStringLiteral("Opt"), QStringLiteral("Dollar"), 0), 255);
        QCOMPARE(ini.ReadInteger(QStringLiteral("Opt"), QStringLiteral("Neg"), 0), -7);
        QCOMPARE(ini.ReadInteger(QStringLiteral("Opt"), QStringLiteral("Bad"), 42), 42);
        QCOMPARE(ini.ReadInteger(QStringLiteral("Opt"), QStringLiteral("Color"), 0),
                 std::int32_t(0x8000000F));
        QCOMPARE(ini.ReadInteger(QStringLiteral("Opt"), QStringLiteral("Z"), 5), 5);
        QCOMPARE(ini.ReadInteger(QStringLiteral("Opt"), QStringLiteral("Late"), 0),
                 3); // the same section opened twice
        QVERIFY(ini.ReadBool(QStringLiteral("Opt"), QStringLiteral("Neg"), false));
        QVERIFY(!ini.ValueExists(QStringLiteral("Opt"), QStringLiteral("stray")));
        QCOMPARE(ini.ReadString(QStringLiteral("Opt"), QStringLiteral(" A"), QStringLiteral("def")),
                 QStringLiteral("def")); // no trimming
        ini.WriteBool(QStringLiteral("New"), QStringLiteral("K"), true);
        QCOMPARE(ini.toBytes(),
                 QByteArray("[Opt]\r\nA=1\r\nHex=0x1F\r\nDollar=$ff\r\nNeg=-7\r\nBad=12a\r\n"
                            "Color=0x8000000F\r\nZ=0x\r\nLate=3\r\n\r\n[New]\r\nK=1\r\n\r\n"));
    }

    // Sections are found by an index under a folded name; it must agree with Qt's own
    // case-insensitive comparison, which decided before, for every pair of names.
    void sectionNamesMatchAsTheComparisonDoes()
    {
        const QStringList names = {QStringLiteral("Secció"),  QStringLiteral("SECCIÓ"),
                                   QStringLiteral("secció "), QStringLiteral("ΟΔΟΣ"),
                                   QStringLiteral("οδος"),    QStringLiteral("οδοσ"),
                                   QStringLiteral("Straße"),  QStringLiteral("STRASSE"),
                                   QStringLiteral("STRAẞE"),  QStringLiteral("İ"),
                                   QStringLiteral("i"),       QStringLiteral("ı"),
                                   QStringLiteral("\u212A"),  QStringLiteral("k"),
                                   QStringLiteral("𐐀"),       QStringLiteral("𐐨"),
                                   QString(QChar(0xD801)),    QString(QChar(0xDC00)),
                                   QString(QChar(0xDC28)),    QString()};
        for (const QString &a : names) {
            for (const QString &b : names) {
                TNewIniFile ini;
                ini.WriteString(a, QStringLiteral("K"), QStringLiteral("1"));
                QVERIFY2(ini.SectionExists(b) == (a.compare(b, Qt::CaseInsensitive) == 0),
                         qPrintable(a + QLatin1Char('/') + b));
            }
        }
        // Every name written into one file: one section per class, each under its first name.
        TNewIniFile all;
        QStringList expected;
        for (const QString &n : names) {
            bool known = false;
            for (const QString &e : expected)
                known = known || e.compare(n, Qt::CaseInsensitive) == 0;
            if (!known)
                expected.append(n);
            all.WriteString(n, QStringLiteral("K") + QString::number(names.indexOf(n)),
                            QStringLiteral("1"));
        }
        QCOMPARE(all.sectionNames(), expected);
        // Erasing one moves the rest up: each is still found, and deleting keys goes on working.
        all.eraseSection(QStringLiteral("sEcCiÓ"));
        expected.removeFirst();
        QCOMPARE(all.sectionNames(), expected);
        for (const QString &e : expected)
            QVERIFY(all.SectionExists(e));
        all.deleteKey(QStringLiteral("οδοσ"), QStringLiteral("k3"));
        QCOMPARE(all.keyNames(QStringLiteral("ΟΔΟΣ")),
                 QStringList({QStringLiteral("K4"), QStringLiteral("K5")}));
        all.WriteString(QStringLiteral("SECCIÓ"), QStringLiteral("K"), QStringLiteral("2"));
        QCOMPARE(all.sectionNames().last(), QStringLiteral("SECCIÓ"));
        // A file with the same section twice reads it as one, in its first place.
        TNewIniFile twice;
        twice.loadFromBytes("[A]\r\nx=1\r\n[B]\r\ny=2\r\n[a]\r\nz=3\r\n");
        QCOMPARE(twice.toBytes(), QByteArray("[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n\r\n"));
    }

    void defaultsAndAnEmptyFile()
    {
        PresentationSettings fresh;
        PresentationSettings read;
        read.ManualViewing = false;
        read.ImageDelay = 9;
        TNewIniFile empty;
        ReadPresentationSettings(empty, read);
        for (const PresentationSettings *s : {&fresh, &read}) {
            QVERIFY(s->ManualViewing);
            QCOMPARE(int(s->ImageDelay), 2);
            QCOMPARE(int(s->ImgAmpliation), 200);
            QCOMPARE(s->MarkSize, 20);
            QCOMPARE(int(s->MarkPenMode), 4);
            QCOMPARE(s->MarkBrushColor, 255);
            QCOMPARE(s->ImagePanel.ColorStart, kClBtnFace);
            QCOMPARE(s->TitlePanel.ColorEnd, kClBtnFace);
            QCOMPARE(s->FontTitle2ndLine.FontName, QStringLiteral("MS Sans Serif"));
            QCOMPARE(s->FontNote1.FontSize, 8);
            QCOMPARE(s->FontAnswers.Color, kClWindowText);
            QCOMPARE(s->PanelPA.Size, 40);
            QCOMPARE(s->PanelNoteLR.Size, 100);
        }
    }

    void boundsAndConditionalKeys()
    {
        TNewIniFile f;
        f.loadFromBytes(
            "[PanelNoteLR]\nSize=59\n[PanelNoteTB]\nSize=200\n[PanelPA]\nSize=300\n"
            "[Image]\nImgNotePanelsMode=5\n[TitlePanel]\nColorBackGroundEffect=7\n"
            "[ImagePanel]\nColorBackGroundEffect=7\n"
            "[PresSort]\nPresSort=3\nPresDRandom=1\nRandomRangeInf=4\nRandomRangeSup=6\n"
            "OmissionFirstSlide=1\nInitialImages=9\n"
            "[FontTitle1rsLine]\nShadowPos=4\nShadowSize=51\n[FontTitle2ndLine]\nShadowPos="
            "2\nShadowSize=50\n"
            "[Mark]\nPenMode=260\n");
        PresentationSettings s;
        s.ImgNotePanelsMode = 1;
        s.RandomRangeInf = 2;
        s.RandomRangeSup = 3;
        s.ImagePanel.ColorBackGroundEffect = 2;
        s.FontTitle1rsLine.ShadowPos = 3;
        s.FontTitle1rsLine.ShadowSize = 5;
        s.InitialImages = 6;
        ReadPresentationSettings(f, s);
        QCOMPARE(s.PanelNoteLR.Size, 100);
        QCOMPARE(s.PanelNoteTB.Size, 200);
        QCOMPARE(s.PanelPA.Size, 40);
        QCOMPARE(s.ImgNotePanelsMode, 1);
        QCOMPARE(s.TitlePanel.ColorBackGroundEffect, 7);
        QCOMPARE(s.ImagePanel.ColorBackGroundEffect, 2);
        QCOMPARE(s.PresSort, PresSortMode::Sequential);
        QCOMPARE(s.PresDRandom, RandomScope::WithOmissions);
        QVERIFY(s.OmissionFirstSlide);
        QCOMPARE(int(s.RandomRangeInf), 2); // range keys are read only for a range
        QCOMPARE(int(s.RandomRangeSup), 3);
        QCOMPARE(int(s.InitialImages), 6); // read only when not every slide is used
        QCOMPARE(s.FontTitle1rsLine.ShadowPos, 3);
        QCOMPARE(s.FontTitle1rsLine.ShadowSize, 5);
        QCOMPARE(s.FontTitle2ndLine.ShadowPos, 2);
        QCOMPARE(s.FontTitle2ndLine.ShadowSize, 50);
        QCOMPARE(int(s.MarkPenMode), 4); // an 8-bit value keeps its low byte
    }
};

QTEST_GUILESS_MAIN(ConfigTest)
#include "ConfigTest.moc"
