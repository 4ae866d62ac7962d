#include "files/ui/GreyCaptionGroupBox.h"

#include <QStyleOptionGroupBox>
#include <QStylePainter>

GreyCaptionGroupBox::GreyCaptionGroupBox(const QString &title, QWidget *parent)
    : QGroupBox(title, parent)
{}

QColor GreyCaptionGroupBox::captionColor(bool enabled)
{
    return enabled ? QColor(Qt::black) : QColor(0x80, 0x80, 0x80);
}

void GreyCaptionGroupBox::paintEvent(QPaintEvent *event)
{
    (void)event;
    // As QGroupBox paints itself, with the caption's colour set.
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    option.textColor = captionColor(isEnabled());
    // Styles that draw a disabled caption in the palette's colour rather than textColor.
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        option.palette.setColor(QPalette::Disabled, role, captionColor(false));
        option.palette.setColor(QPalette::Active, role, captionColor(true));
        option.palette.setColor(QPalette::Inactive, role, captionColor(true));
    }
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}
