#include "files/ui/GreyCaptionGroupBox.h"

#include <QImage>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTest>

namespace {

// The box with its caption's place open to the test.
class Box : public GreyCaptionGroupBox
{
public:
    using GreyCaptionGroupBox::GreyCaptionGroupBox;

    QRect captionRect() const
    {
        QStyleOptionGroupBox option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel,
                                       this);
    }
};

// Whether some pixel of the caption is exactly `color` (the solid middle of a stroke).
bool captionHas(Box &box, QColor color)
{
    const QImage image = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect r = box.captionRect().intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixel(x, y) == color.rgb())
                return true;
    return false;
}

} // namespace

class GreyCaptionGroupBoxTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void captionIsGreyWhileDisabled()
    {
        Box box(QStringLiteral("Anotar: MMMM WWWW"));
        box.resize(300, 120);
        QVERIFY(!box.captionRect().isEmpty());
        const QColor grey(0x80, 0x80, 0x80);
        const QColor black(Qt::black);

        QVERIFY(captionHas(box, black));
        box.setEnabled(false);
        QVERIFY(captionHas(box, grey));
        QVERIFY(!captionHas(box, black));
        box.setEnabled(true);
        QVERIFY(captionHas(box, black));
    }
};

QTEST_MAIN(GreyCaptionGroupBoxTest)
#include "GreyCaptionGroupBoxTest.moc"
