#include "files/ui/TTreeView0.h"

#include <QKeyEvent>
#include <QMouseEvent>

TTreeView0::TTreeView0(Prompter &prompter, QWidget *selector)
    : TTree0(prompter, selector), m_clickKey(QKeyCombination(Qt::AltModifier, Qt::Key_Down))
{
    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setEnabled(false);
    hide();
}

void TTreeView0::DropDown(QWidget *anchor, int height)
{
    if (isVisible()) {
        hide();
        setEnabled(false);
        return;
    }
    m_anchor = anchor;
    const QPoint below = anchor->mapToGlobal(QPoint(0, anchor->height()));
    setGeometry(below.x(), below.y(), anchor->width(), height);
    setEnabled(true);
    show();
    raise();
    activateWindow();
    setFocus();
    if (currentIndex().isValid())
        scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
}

bool TTreeView0::isClickKey(const QKeyEvent *event) const
{
    return !m_clickKey.isEmpty() && QKeySequence(event->keyCombination()) == m_clickKey;
}

bool TTreeView0::selectorKey(QKeyEvent *event, QWidget *anchor, int height)
{
    const bool handled = selectorKeyAction(event, anchor, height);
    if (handled)
        event->accept();
    return handled;
}

bool TTreeView0::selectorKeyAction(QKeyEvent *event, QWidget *anchor, int height)
{
    if (isClickKey(event)) {
        DropDown(anchor, height);
        return true;
    }
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (event->modifiers() & ~Qt::KeypadModifier)
            return false;
        if (!applyTreeKey(event->key())) {
            // The standard moves where the tree's own rules leave off.
            if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Up) {
                const QModelIndex up = event->key() == Qt::Key_Up ? indexAbove(currentIndex())
                                                                  : currentIndex().parent();
                if (event->key() == Qt::Key_Left && isExpanded(currentIndex()))
                    collapse(currentIndex());
                else
                    selectNode(up);
            }
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: Q_EMIT enterPressed(); return true;
    case Qt::Key_Escape:
        if (!isVisible())
            return false;
        hide();
        setEnabled(false);
        return true;
    default: return false;
    }
}

void TTreeView0::mouseMoveEvent(QMouseEvent *event)
{
    const QModelIndex under = nodeAtLabel(event->pos());
    if (under.isValid() && under != currentIndex())
        setCurrentIndex(under);
    TTree0::mouseMoveEvent(event);
}

bool TTreeView0::event(QEvent *event)
{
    // A press outside the tree comes to the tree itself (it holds the mouse), not to its
    // viewport: it hides the tree. One on the selector that dropped it must not drop it again.
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        if (!rect().contains(press->position().toPoint())) {
            if (m_anchor && m_anchor->rect().contains(
                                m_anchor->mapFromGlobal(press->globalPosition().toPoint())))
                setAttribute(Qt::WA_NoMouseReplay);
            hide();
            setEnabled(false);
            return true;
        }
    }
    return TTree0::event(event);
}

void TTreeView0::mouseReleaseEvent(QMouseEvent *event)
{
    TTree0::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex node = nodeAtLabel(event->pos());
    if (node.isValid())
        Q_EMIT nodeClicked(node);
}

void TTreeView0::keyPressEvent(QKeyEvent *event)
{
    if (isClickKey(event) || event->key() == Qt::Key_Escape) {
        hide();
        setEnabled(false);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Q_EMIT enterPressed();
        event->accept();
        return;
    }
    TTree0::keyPressEvent(event);
}

void TTreeView0::beforeFindWindow()
{
    m_shownBeforeWindow = isVisible();
    hide();
}

void TTreeView0::afterFindWindow()
{
    if (m_shownBeforeWindow && m_anchor) {
        setEnabled(true);
        show();
        raise();
    }
}

void TTreeView0::afterWriteOut()
{
    const bool shown = isVisible();
    hide();
    Q_EMIT OnAfterWriteItems();
    if (shown) {
        setEnabled(true);
        show();
        raise();
    }
}
