#include "files/ui/TFrEdicioMemo.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

TFrEdicioMemo::TFrEdicioMemo(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TFrEdicioMemo"));
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo"));
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    m_undo = addCommand(QStringLiteral("Undo"), QStringLiteral("Desfà"),
                        QStringLiteral("Desfà l'últim canvi al text"), CommandIcon::Undo);
    m_cut = addCommand(QStringLiteral("Cut"), QStringLiteral("Retalla"),
                       QStringLiteral("Retalla el text seleccionat"), CommandIcon::Cut);
    m_copy = addCommand(QStringLiteral("Copy"), QStringLiteral("Copia"),
                        QStringLiteral("Copia el text seleccionat"), CommandIcon::Copy);
    m_paste = addCommand(QStringLiteral("Paste"), QStringLiteral("Enganxa"),
                         QStringLiteral("Enganxa el text guardat"), CommandIcon::Paste);
    m_clear = addCommand(QStringLiteral("Clear"), QStringLiteral("Esborra"),
                         QStringLiteral("Elimina tot el text"), CommandIcon::Clear);
    m_selectAll = addCommand(QStringLiteral("SelectAll"), QStringLiteral("Selecciona tot el text"),
                             QStringLiteral("Selecciona tot el text"), CommandIcon::SelectAll);

    connect(m_undo, &QAction::triggered, m_memo, &QPlainTextEdit::undo);
    connect(m_cut, &QAction::triggered, m_memo, &QPlainTextEdit::cut);
    connect(m_copy, &QAction::triggered, m_memo, &QPlainTextEdit::copy);
    connect(m_paste, &QAction::triggered, m_memo, &QPlainTextEdit::paste);
    connect(m_clear, &QAction::triggered, this, [this] { clearAll(); });
    connect(m_selectAll, &QAction::triggered, m_memo, &QPlainTextEdit::selectAll);
    connect(m_memo, &QPlainTextEdit::undoAvailable, this, [this] { refreshUndo(); });
    connect(m_memo, &QPlainTextEdit::textChanged, this, [this] { refreshUndo(); });

    // The memo is 8 pixels narrower than the frame and ends 4 pixels above its bottom.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 8, 4);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_memo, 1);
    refreshUndo();
}

QAction *TFrEdicioMemo::addCommand(const QString &name, const QString &caption, const QString &hint,
                                   CommandIcon icon)
{
    auto *action = new QAction(commandIcon(icon), caption, this);
    action->setObjectName(QStringLiteral("A_") + name);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    addToolBarButton(m_toolBar, action, QStringLiteral("TB_") + name);
    return action;
}

void TFrEdicioMemo::setText(const QString &text)
{
    // Replacing the whole text starts a new history.
    m_memo->setPlainText(text);
    m_memo->document()->clearUndoRedoStacks();
    refreshUndo();
}

QString TFrEdicioMemo::text() const
{
    return m_memo->toPlainText();
}

void TFrEdicioMemo::refreshUndo()
{
    m_undo->setEnabled(m_memo->document()->isUndoAvailable());
}

void TFrEdicioMemo::clearAll()
{
    QTextCursor cursor(m_memo->document());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    refreshUndo();
}

void TFrEdicioMemo::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refreshUndo();
    m_memo->setFocus(Qt::OtherFocusReason);
}
