#include "player/ui/BlankCover.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>

BlankCover::BlankCover(QWidget *window) : QWidget(window)
{
    setObjectName(QStringLiteral("BlankCover"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
    // The cover follows the window's size.
    window->installEventFilter(this);
}

void BlankCover::cover(const QColor &color)
{
    m_color = color;
    if (!isVisible()) {
        QWidget *focus = QApplication::focusWidget();
        m_focusBefore = focus != this ? focus : nullptr;
    }
    setGeometry(parentWidget()->rect());
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    update();
}

void BlankCover::uncover()
{
    if (!isVisible())
        return;
    hide();
    if (m_focusBefore && m_focusBefore->isVisible() && m_focusBefore->window() == window())
        m_focusBefore->setFocus(Qt::OtherFocusReason);
    else
        parentWidget()->setFocus(Qt::OtherFocusReason);
    m_focusBefore = nullptr;
}

bool BlankCover::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Taken here, a key reaches keyPressEvent instead of a command's shortcut.
        event->accept();
        return true;
    case QEvent::KeyPress:
        if (!static_cast<QKeyEvent *>(event)->isAutoRepeat())
            uncover();
        event->accept();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        uncover();
        event->accept();
        return true;
    default: return QWidget::event(event);
    }
}

bool BlankCover::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible())
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void BlankCover::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_color);
}
