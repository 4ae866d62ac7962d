#pragma once

#include <QColor>
#include <QGroupBox>

// A group box whose caption is grey (0x808080) while it is disabled and black while it is
// enabled, whatever the style's own colours.
class GreyCaptionGroupBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit GreyCaptionGroupBox(const QString &title = QString(), QWidget *parent = nullptr);

    static QColor captionColor(bool enabled);

protected:
    void paintEvent(QPaintEvent *event) override;
};
