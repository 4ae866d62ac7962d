#include "media/ui/TGradPan0.h"

#include <QMouseEvent>
#include <QPainter>

TGradPan0::TGradPan0(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void TGradPan0::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    m_panel.paint(p, rect(), palette());
}

namespace {

Qt::CursorShape cursorFor(PanelHitZone z)
{
    switch (z) {
    case PanelHitZone::Left:
    case PanelHitZone::Right: return Qt::SizeHorCursor;
    case PanelHitZone::Top:
    case PanelHitZone::Bottom: return Qt::SizeVerCursor;
    case PanelHitZone::TopLeft:
    case PanelHitZone::BottomRight: return Qt::SizeFDiagCursor;
    case PanelHitZone::TopRight:
    case PanelHitZone::BottomLeft: return Qt::SizeBDiagCursor;
    case PanelHitZone::Caption: break;
    }
    return Qt::SizeAllCursor;
}

} // namespace

void TGradPan0::mousePressEvent(QMouseEvent *event)
{
    if (!m_panel.Moveable || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    m_zone = m_panel.hitTest(event->position().toPoint(), size());
    m_pressGlobal = event->globalPosition().toPoint();
    m_startGeometry = geometry();
    event->accept();
}

void TGradPan0::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_panel.Moveable) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    if (!m_dragging) {
        setCursor(cursorFor(m_panel.hitTest(event->position().toPoint(), size())));
        return;
    }
    const QPoint d = event->globalPosition().toPoint() - m_pressGlobal;
    QRect g = m_startGeometry;
    const int minSide = 2 * m_panel.Marge + 1;
    switch (m_zone) {
    case PanelHitZone::Caption: g.translate(d); break;
    case PanelHitZone::Left: g.setLeft(std::min(g.left() + d.x(), g.right() - minSide)); break;
    case PanelHitZone::Right: g.setRight(std::max(g.right() + d.x(), g.left() + minSide)); break;
    case PanelHitZone::Top: g.setTop(std::min(g.top() + d.y(), g.bottom() - minSide)); break;
    case PanelHitZone::Bottom: g.setBottom(std::max(g.bottom() + d.y(), g.top() + minSide)); break;
    case PanelHitZone::TopLeft:
        g.setTopLeft(QPoint(std::min(g.left() + d.x(), g.right() - minSide),
                            std::min(g.top() + d.y(), g.bottom() - minSide)));
        break;
    case PanelHitZone::TopRight:
        g.setTopRight(QPoint(std::max(g.right() + d.x(), g.left() + minSide),
                             std::min(g.top() + d.y(), g.bottom() - minSide)));
        break;
    case PanelHitZone::BottomLeft:
        g.setBottomLeft(QPoint(std::min(g.left() + d.x(), g.right() - minSide),
                               std::max(g.bottom() + d.y(), g.top() + minSide)));
        break;
    case PanelHitZone::BottomRight:
        g.setBottomRight(QPoint(std::max(g.right() + d.x(), g.left() + minSide),
                                std::max(g.bottom() + d.y(), g.top() + minSide)));
        break;
    }
    setGeometry(g);
    event->accept();
}

void TGradPan0::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}
