#include "player/SlideCaption.h"

#include "config/PresentationSettings.h"

#include <QTest>

class SlideCaptionTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void numberingAndNames()
    {
        PresentationSettings s;
        s.PresWithIAmpliationRatio = false;
        SlideRecord slide;
        slide.FileName = QStringLiteral("/fotos/estiu/platja.jpg");
        slide.Kind = skImage;
        CaptionInput in;
        in.listPath = QStringLiteral("/llistes/Viatge.sal");
        in.slideIndex = 2;
        in.position = 2;
        in.orderLength = 12;
        in.slide = &slide;
        QCOMPARE(BuildCaptionParts(s, in), QStringLiteral("3/12  platja  "));
        s.PresWithITListName = true;
        s.PresWithITExt = true;
        QCOMPARE(BuildCaptionParts(s, in), QStringLiteral("Viatge  3/12  platja.jpg  "));
        s.PresWithITPath = true;
        s.PresWithITExt = false;
        QCOMPARE(BuildCaptionParts(s, in), QStringLiteral("Viatge  3/12  /fotos/estiu/platja  "));
        s.PresWithITListName = false;
        s.PresWithITName = false;
        s.PresWithTotalNumbering = false;
        QCOMPARE(BuildCaptionParts(s, in), QStringLiteral("3  "));
    }

    void randomOrderAddsThePosition()
    {
        PresentationSettings s;
        s.PresWithITName = false;
        s.PresWithIAmpliationRatio = false;
        SlideRecord slide;
        slide.Kind = skTitle;
        CaptionInput in;
        in.slideIndex = 7;
        in.position = 0;
        in.orderLength = 12;
        in.randomOrder = true;
        in.slide = &slide;
        // With the total of the position part on, the slide number goes without its total.
        QCOMPARE(BuildCaptionParts(s, in), QStringLiteral("8  1/12  "));
        s.PresWithSTotalNumbering = false;
        QCOMPARE(BuildCaptionParts(s, in), QStringLiteral("8/12  1  "));
        s.PresWithSNumbering = false;
        QCOMPARE(BuildCaptionParts(s, in), QStringLiteral("8/12  "));
        in.randomOrder = false;
        s.PresWithSNumbering = true;
        QCOMPARE(BuildCaptionParts(s, in), QStringLiteral("8/12  "));
    }

    void enlargementFollowsTheDrawnSizeAndHints()
    {
        PresentationSettings s;
        SlideRecord slide;
        slide.FileName = QStringLiteral("a.png");
        slide.Kind = skImage;
        CaptionInput in;
        in.orderLength = 3;
        in.slide = &slide;
        const QString parts = BuildCaptionParts(s, in);
        QCOMPARE(ApplyCaption(s, parts, KeyHintState::None, false, 50),
                 QStringLiteral("1/3  a  50%  "));
        QCOMPARE(ApplyCaption(s, parts, KeyHintState::Next, false, 400),
                 QStringLiteral("1/3  a  400%  (Barra=següent, Esc=cancel·la, <-=prèvia)"));
        QCOMPARE(ApplyCaption(s, parts, KeyHintState::Pause, true, 100),
                 QStringLiteral("1/3  a  100%  (Esc=cancel·la)"));
        QCOMPARE(ApplyCaption(s, parts, KeyHintState::Finished, false, 100),
                 QStringLiteral("1/3  a  100%  (acabat; Intro=reinicia)"));
        QCOMPARE(PausedCaption(parts, 25), QStringLiteral("1/3  a  25%  (pausat; Barra=continua)"));
        s.PresWithKeyInfo = false;
        QCOMPARE(ApplyCaption(s, parts, KeyHintState::Next, false, 100),
                 QStringLiteral("1/3  a  100%  "));
        // A title slide has no enlargement part.
        slide.Kind = skTitle;
        QCOMPARE(BuildCaptionParts(s, in), QStringLiteral("1/3  a  "));
    }
};

QTEST_GUILESS_MAIN(SlideCaptionTest)
#include "SlideCaptionTest.moc"
