#pragma once

#include "files/ui/TTree0.h"

#include <QKeySequence>
#include <QPointer>

// A tree dropped down below a selector: a borderless window in front that takes the mouse, where
// the node under the mouse is selected as it moves. A click outside it hides it.
class TTreeView0 : public TTree0
{
    Q_OBJECT

public:
    explicit TTreeView0(Prompter &prompter, QWidget *selector);

    // Shows the tree below `anchor`, as wide as it and `height` high, or hides it when shown.
    void DropDown(QWidget *anchor, int height);
    bool droppedDown() const { return isVisible(); }
    void setClickKey(const QKeySequence &key) { m_clickKey = key; }

    // The keys of a selector: its click key drops the tree down or hides it, the arrows move in
    // the tree, Enter takes the tree's node and Esc hides the tree. Returns whether it was one.
    bool selectorKey(QKeyEvent *event, QWidget *anchor, int height);

Q_SIGNALS:
    // A node's label or picture was clicked.
    void nodeClicked(const QModelIndex &index);
    void enterPressed();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void beforeFindWindow() override;
    void afterFindWindow() override;
    void afterWriteOut() override;

private:
    bool isClickKey(const QKeyEvent *event) const;
    bool selectorKeyAction(QKeyEvent *event, QWidget *anchor, int height);

    QKeySequence m_clickKey;
    QPointer<QWidget> m_anchor;
    bool m_shownBeforeWindow = false;
};
