#include "files/ui/TTreeCombo0.h"

#include "files/ui/TTreeView0.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

TTreeCombo0::TTreeCombo0(TTreeView0 *tree, QWidget *parent)
    : QWidget(parent), Tree(tree), m_clickKey(QKeyCombination(Qt::AltModifier, Qt::Key_Down))
{
    m_edit = new QLineEdit(this);
    m_edit->setReadOnly(true);
    m_edit->setObjectName(QStringLiteral("Edit"));
    m_edit->installEventFilter(this);
    Btn = new QToolButton(this);
    Btn->setObjectName(QStringLiteral("Btn"));
    Btn->setArrowType(Qt::DownArrow);
    Btn->setFocusPolicy(Qt::NoFocus);
    Btn->setFixedHeight(m_edit->sizeHint().height());
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit, 1);
    layout->addWidget(Btn);
    setFocusProxy(m_edit);
    Tree->setParent(this, Tree->windowFlags());
    Tree->setClickKey(m_clickKey);
    connect(Btn, &QToolButton::clicked, this, &TTreeCombo0::DropDown);
    connect(Tree, &TTreeView0::enterPressed, this, [this] { takeEntered(); });
    connect(Tree, &TTreeView0::nodeClicked, this, [this](const QModelIndex &i) { takeClicked(i); });
}

void TTreeCombo0::setClickKey(const QKeySequence &key)
{
    m_clickKey = key;
    Tree->setClickKey(key);
}

void TTreeCombo0::DropDown()
{
    Tree->DropDown(this, m_treeHeight);
}

bool TTreeCombo0::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress &&
        Tree->selectorKey(static_cast<QKeyEvent *>(event), this, m_treeHeight))
        return true;
    return QWidget::eventFilter(watched, event);
}
