#include "files/ui/TTreePanel0.h"

#include "files/ui/TTreeView0.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

TTreePanel0::TTreePanel0(TTreeView0 *tree, QWidget *parent)
    : QFrame(parent), Tree(tree), m_clickKey(QKeyCombination(Qt::AltModifier, Qt::Key_Down))
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    PLeft = new QFrame(this);
    PLeft->setObjectName(QStringLiteral("PLeft"));
    PLeft->setAutoFillBackground(true);
    LLeft = new QLabel(PLeft);
    LLeft->setObjectName(QStringLiteral("LLeft"));
    LLeft->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A long path is cut on the left: its end is what tells folders apart.
    LLeft->setMinimumWidth(1);
    LLeft->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto *left = new QHBoxLayout(PLeft);
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(LLeft);
    PCenter = new QFrame(this);
    PCenter->setObjectName(QStringLiteral("PCenter"));
    ECenter = new QLineEdit(PCenter);
    ECenter->setObjectName(QStringLiteral("ECenter"));
    ECenter->setReadOnly(true);
    ECenter->setFrame(false);
    ECenter->installEventFilter(this);
    auto *center = new QHBoxLayout(PCenter);
    center->setContentsMargins(0, 0, 0, 0);
    center->addWidget(ECenter);
    Btn = new QToolButton(this);
    Btn->setObjectName(QStringLiteral("Btn"));
    Btn->setArrowType(Qt::DownArrow);
    Btn->setFocusPolicy(Qt::NoFocus);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(PLeft, 1);
    layout->addWidget(PCenter);
    layout->addWidget(Btn);
    setFocusProxy(ECenter);
    Tree->setParent(this, Tree->windowFlags());
    Tree->setClickKey(m_clickKey);
    connect(Btn, &QToolButton::clicked, this, &TTreePanel0::DropDown);
    connect(Tree, &TTreeView0::enterPressed, this, [this] { takeEntered(); });
    connect(Tree, &TTreeView0::nodeClicked, this, [this](const QModelIndex &i) { takeClicked(i); });
}

void TTreePanel0::setClickKey(const QKeySequence &key)
{
    m_clickKey = key;
    Tree->setClickKey(key);
}

void TTreePanel0::DropDown()
{
    Tree->DropDown(this, m_treeHeight);
}

void TTreePanel0::setColorLeftPanel(const QColor &color)
{
    QPalette p = PLeft->palette();
    p.setColor(QPalette::Window, color);
    PLeft->setPalette(p);
}

void TTreePanel0::setColorCenterEdit(const QColor &color)
{
    QPalette p = ECenter->palette();
    p.setColor(QPalette::Base, color);
    ECenter->setPalette(p);
}

void TTreePanel0::setFontLeftPanel(const QFont &font)
{
    LLeft->setFont(font);
}

void TTreePanel0::setFontCenterEdit(const QFont &font)
{
    ECenter->setFont(font);
    showTexts(ECenter->text(), LLeft->text(), LLeft->toolTip());
}

void TTreePanel0::setGlyph(const QIcon &glyph)
{
    Btn->setArrowType(glyph.isNull() ? Qt::DownArrow : Qt::NoArrow);
    Btn->setIcon(glyph);
}

void TTreePanel0::showTexts(const QString &edit, const QString &label, const QString &hint)
{
    ECenter->setText(edit);
    ECenter->setCursorPosition(0);
    // The edit draws its text a few pixels in from each side; the box holds exactly the text.
    const QMargins m = ECenter->textMargins();
    const int text = ECenter->fontMetrics().horizontalAdvance(edit) + m.left() + m.right();
    PCenter->setFixedWidth(text + 6);
    LLeft->setText(label);
    LLeft->setToolTip(hint);
    PLeft->setToolTip(hint);
}

bool TTreePanel0::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ECenter && event->type() == QEvent::KeyPress &&
        Tree->selectorKey(static_cast<QKeyEvent *>(event), this, m_treeHeight))
        return true;
    return QFrame::eventFilter(watched, event);
}
