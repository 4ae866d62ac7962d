#pragma once

#include <QKeySequence>
#include <QWidget>

class QLineEdit;
class QToolButton;
class TTreeView0;

// A read-only edit box with a drop-down button `Btn` that drops the tree `Tree` down below it.
class TTreeCombo0 : public QWidget
{
    Q_OBJECT

public:
    // `tree` becomes the box's drop-down.
    TTreeCombo0(TTreeView0 *tree, QWidget *parent = nullptr);

    QLineEdit *edit() const { return m_edit; }
    QToolButton *button() const { return Btn; }
    TTreeView0 *tree() const { return Tree; }

    // Shows the tree below the box, or hides it when shown.
    void DropDown();
    QKeySequence ClickKey() const { return m_clickKey; }
    void setClickKey(const QKeySequence &key);
    int TreeHeight() const { return m_treeHeight; }
    void setTreeHeight(int height) { m_treeHeight = height; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Enter in the box or the tree, and a click on a node of the tree.
    virtual void takeEntered() {}
    virtual void takeClicked(const QModelIndex &) {}

    QToolButton *Btn = nullptr;
    TTreeView0 *Tree = nullptr;

private:
    QLineEdit *m_edit = nullptr;
    QKeySequence m_clickKey;
    int m_treeHeight = 240;
};
