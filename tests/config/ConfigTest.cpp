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
