#include "media/ui/TAdvImageNew.h"

#include "media/ImageGeometry.h"

#include <QMouseEvent>
#include <QPainter>

TAdvImageNew::TAdvImageNew(QWidget *parent) : TGradPan0(parent)
{
    setMouseTracking(false);
}

void TAdvImageNew::applySettings(const PresentationSettings &s)
{
    m_mark.applySettings(s);
    update();
}

void TAdvImageNew::passZoomRule()
{
    m_image.ManualZoomAllowed = m_manualZoomAllowed && !m_mark.visible();
}

void TAdvImageNew::setManualZoomAllowed(bool allowed)
{
    m_manualZoomAllowed = allowed;
    passZoomRule();
}

void TAdvImageNew::setMarkPos(QPoint pos)
{
    m_mark.setMarkPos(pos);
    passZoomRule();
    update();
}

void TAdvImageNew::relayout()
{
    const int drawSize = m_image.layout(contentsArea());
    m_mark.positionMark(m_image.pictureRect(), drawSize);
    if (drawSize != m_lastDrawSize) {
        m_lastDrawSize = drawSize;
        Q_EMIT changeDrawSize(drawSize);
    }
}

void TAdvImageNew::paintEvent(QPaintEvent *event)
{
    TGradPan0::paintEvent(event);
    QPainter p(this);
    relayout();
    m_image.paint(p, contentsArea(), palette());
    if (m_mark.visible() && m_image.hasPicture())
        m_mark.paint(p, palette());
    if (m_image.selecting()) {
        p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(m_image.selectionRect());
    }
}

void TAdvImageNew::resizeEvent(QResizeEvent *event)
{
    TGradPan0::resizeEvent(event);
    relayout();
}

void TAdvImageNew::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (MarkSetPos && event->button() == Qt::LeftButton) {
        if (const auto at = ImageGeometry::markPosFromClick(pos, m_image.pictureRect())) {
            setMarkPos(*at);
            Q_EMIT markPosChanged(*at);
        }
        event->accept();
        return;
    }
    // The image decides: a press without Ctrl, or while zooming is not allowed, is ordinary.
    if (event->button() == Qt::LeftButton &&
        m_image.mousePress(pos, event->modifiers() & Qt::ControlModifier) !=
            TAdvImage::Press::Ordinary) {
        update();
        event->accept();
        return;
    }
    TGradPan0::mousePressEvent(event);
}

void TAdvImageNew::mouseMoveEvent(QMouseEvent *event)
{
    if (m_image.selecting()) {
        m_image.mouseMove(event->position().toPoint());
        update();
        return;
    }
    TGradPan0::mouseMoveEvent(event);
}

void TAdvImageNew::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_image.selecting()) {
        m_image.mouseRelease(event->position().toPoint());
        update();
        return;
    }
    TGradPan0::mouseReleaseEvent(event);
}

void TAdvImageNew::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A double click leaves the zoom whatever allowed it.
    if (m_image.doubleClick()) {
        update();
        return;
    }
    TGradPan0::mouseDoubleClickEvent(event);
}
