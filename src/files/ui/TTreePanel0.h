#pragma once

#include <QFrame>
#include <QKeySequence>

class QLabel;
class QLineEdit;
class QToolButton;
class TTreeView0;

// A panel with a label on the left (`PLeft` holding `LLeft`), a read-only edit in the middle
// (`PCenter` holding `ECenter`) and a drop-down button `Btn` that drops the tree `Tree` down
// below the panel.
class TTreePanel0 : public QFrame
{
    Q_OBJECT

public:
    TTreePanel0(TTreeView0 *tree, QWidget *parent = nullptr);

    QLabel *leftLabel() const { return LLeft; }
    QFrame *leftPanel() const { return PLeft; }
    QLineEdit *centerEdit() const { return ECenter; }
    QFrame *centerPanel() const { return PCenter; }
    QToolButton *button() const { return Btn; }
    TTreeView0 *tree() const { return Tree; }

    void DropDown();
    QKeySequence ClickKey() const { return m_clickKey; }
    void setClickKey(const QKeySequence &key);
    int TreeHeight() const { return m_treeHeight; }
    void setTreeHeight(int height) { m_treeHeight = height; }

    void setColorLeftPanel(const QColor &color);
    void setColorCenterEdit(const QColor &color);
    void setFontLeftPanel(const QFont &font);
    void setFontCenterEdit(const QFont &font);
    // The drop-down button's picture; an arrow when none is given.
    void setGlyph(const QIcon &glyph);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    virtual void takeEntered() {}
    virtual void takeClicked(const QModelIndex &) {}
    // Shows `edit` in the middle, its box as wide as the text plus 6 pixels, and `label` on the
    // left with `hint` as the hint of both left parts.
    void showTexts(const QString &edit, const QString &label, const QString &hint);

    QFrame *PLeft = nullptr;
    QLabel *LLeft = nullptr;
    QFrame *PCenter = nullptr;
    QLineEdit *ECenter = nullptr;
    QToolButton *Btn = nullptr;
    TTreeView0 *Tree = nullptr;

private:
    QKeySequence m_clickKey;
    int m_treeHeight = 240;
};
