#pragma once

#include "media/GradientPanel.h"

#include <QWidget>

// The gradient panel widget: paints its face with GradientPanel and, when Moveable, lets the user
// drag it anywhere and resize it by the edges within Marge pixels.
class TGradPan0 : public QWidget
{
    Q_OBJECT
public:
    explicit TGradPan0(QWidget *parent = nullptr);

    GradientPanel &panel() { return m_panel; }
    const GradientPanel &panel() const { return m_panel; }
    // The rectangle inside the bevels, where the panel's contents go.
    QRect contentsArea() const { return m_panel.clientRect(rect()); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    GradientPanel m_panel;
    bool m_dragging = false;
    PanelHitZone m_zone = PanelHitZone::Caption;
    QPoint m_pressGlobal;
    QRect m_startGeometry;
};
