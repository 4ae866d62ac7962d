#pragma once

#include "media/ImageMark.h"
#include "media/TAdvImage.h"
#include "media/ui/TGradPan0.h"

// The picture control: a gradient panel holding an image view with its mark. With MarkSetPos on,
// a click on the picture puts the mark there; with manual zoom allowed and no mark showing, Ctrl
// and a drag zooms into a selection.
class TAdvImageNew : public TGradPan0
{
    Q_OBJECT
public:
    explicit TAdvImageNew(QWidget *parent = nullptr);

    TAdvImage &Image() { return m_image; }
    ImageMark &MarkShape() { return m_mark; }
    bool MarkSetPos = false;

    // The inner image zooms by hand only while this is on and the mark is hidden.
    bool ManualZoomAllowed() const { return m_manualZoomAllowed; }
    void setManualZoomAllowed(bool allowed);

    QPoint MarkPos() const { return m_mark.MarkPos; }
    void setMarkPos(QPoint pos);
    void applySettings(const PresentationSettings &s);

Q_SIGNALS:
    // OnChangeDrawSize: the picture's drawn size changed (loading, resizing, zooming).
    void changeDrawSize(int drawSizePercent);
    void markPosChanged(QPoint pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void relayout();
    void passZoomRule();

    TAdvImage m_image;
    ImageMark m_mark;
    int m_lastDrawSize = -1;
    bool m_manualZoomAllowed = false;
};
