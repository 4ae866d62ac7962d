#include "files/ui/TFPresentRxRichEdit.h"

#include "files/HelpRequester.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>

TFPresentRxRichEdit::TFPresentRxRichEdit(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TFPresentRxRichEdit"));
    setWindowTitle(QStringLiteral("Presentació"));
    setMinimumSize(212, 90);
    resize(520, 400);
    m_edit = new QTextEdit(this);
    m_edit->setObjectName(QStringLiteral("RxRichEdit"));
    m_edit->setAcceptRichText(true);
    setCentralWidget(m_edit);

    menuBar()->setObjectName(QStringLiteral("MainMenu"));
    QMenu *edit = menuBar()->addMenu(QStringLiteral("Edició"));
    edit->setObjectName(QStringLiteral("MI_Edit"));
    QMenu *others = menuBar()->addMenu(QStringLiteral("Altres"));
    others->setObjectName(QStringLiteral("MI_Others"));
    m_toolBar = addToolBar(QStringLiteral("Barra d'eines"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(16, 16));

    QAction *undo = addCommand("A_E_Undo", QStringLiteral("Desfà"),
                               QStringLiteral("Desfà l'últim canvi al text"),
                               QKeySequence(Qt::ALT | Qt::Key_Backspace), CommandIcon::Undo, edit);
    QAction *cut = addCommand("A_E_Cut", QStringLiteral("Retalla"),
                              QStringLiteral("Retalla el text seleccionat"),
                              QKeySequence(Qt::CTRL | Qt::Key_X), CommandIcon::Cut, edit);
    QAction *copy =
        addCommand("A_E_Copy", QStringLiteral("Copia"), QStringLiteral("Copia el text seleccionat"),
                   QKeySequence(Qt::CTRL | Qt::Key_C), CommandIcon::Copy, edit);
    QAction *paste = addCommand("A_E_Paste", QStringLiteral("Enganxa"),
                                QStringLiteral("Enganxa el text guardat"),
                                QKeySequence(Qt::CTRL | Qt::Key_V), CommandIcon::Paste, edit);
    QAction *clear =
        addCommand("A_E_Clear", QStringLiteral("Esborra"), QStringLiteral("Elimina tot el text"),
                   QKeySequence(), CommandIcon::Clear, edit);
    QAction *selectAll = addCommand("A_E_SelectAll", QStringLiteral("Selecciona tot el text"),
                                    QStringLiteral("Selecciona tot el text"), QKeySequence(),
                                    CommandIcon::SelectAll, edit);
    m_toolBar->addSeparator();
    QAction *help = addCommand("A_Help", QStringLiteral("Ajuda"), QStringLiteral("Ajuda"),
                               QKeySequence(Qt::Key_F1), CommandIcon::Help, others);
    QAction *exit =
        addCommand("A_Exit", QStringLiteral("Surt"), QStringLiteral("Tanca aquesta finestra"),
                   QKeySequence(), CommandIcon::Exit, others);
    help->setEnabled(false);

    connect(undo, &QAction::triggered, m_edit, &QTextEdit::undo);
    connect(cut, &QAction::triggered, m_edit, &QTextEdit::cut);
    connect(copy, &QAction::triggered, m_edit, &QTextEdit::copy);
    connect(paste, &QAction::triggered, m_edit, &QTextEdit::paste);
    // Deletes the selection only, as the delete key does.
    connect(clear, &QAction::triggered, this,
            [this] { m_edit->textCursor().removeSelectedText(); });
    connect(selectAll, &QAction::triggered, m_edit, &QTextEdit::selectAll);
    connect(help, &QAction::triggered, this, [this] {
        if (m_requester)
            m_requester->showHelpContext(m_helpContext);
    });
    connect(exit, &QAction::triggered, this, &QWidget::close);
    connect(m_edit, &QTextEdit::undoAvailable, this, [this] { refreshUndo(); });
    connect(m_edit, &QTextEdit::textChanged, this, [this] { refreshUndo(); });
    refreshUndo();
}

QAction *TFPresentRxRichEdit::addCommand(const char *name, const QString &caption,
                                         const QString &hint, const QKeySequence &key,
                                         CommandIcon icon, QMenu *menu)
{
    return addWindowCommand(this, m_toolBar, menu, name, caption, hint, key, icon);
}

QAction *TFPresentRxRichEdit::action(const QString &name) const
{
    return findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
}

QTextDocument *TFPresentRxRichEdit::document() const
{
    return m_edit->document();
}

void TFPresentRxRichEdit::setPlainText(const QString &text)
{
    m_edit->setPlainText(text);
    newContent();
}

void TFPresentRxRichEdit::setHtml(const QString &html)
{
    m_edit->setHtml(html);
    newContent();
}

void TFPresentRxRichEdit::setDocument(std::unique_ptr<QTextDocument> document)
{
    // The box frees its own first document itself; one given earlier is freed here.
    const QPointer<QTextDocument> old = m_edit->document();
    QTextDocument *shown = document.release();
    shown->setParent(m_edit);
    m_edit->setDocument(shown);
    if (old && old != shown && old->parent() == m_edit)
        delete old.data();
    newContent();
}

void TFPresentRxRichEdit::newContent()
{
    m_edit->document()->clearUndoRedoStacks();
    m_edit->moveCursor(QTextCursor::Start);
    refreshUndo();
}

void TFPresentRxRichEdit::setHelp(HelpRequester *help, int context)
{
    m_requester = help;
    m_helpContext = context;
    action(QStringLiteral("A_Help"))->setEnabled(help != nullptr);
}

void TFPresentRxRichEdit::refreshUndo()
{
    action(QStringLiteral("A_E_Undo"))->setEnabled(m_edit->document()->isUndoAvailable());
}

void TFPresentRxRichEdit::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Centred on its screen the first time it is shown.
    if (!m_centred && !event->spontaneous()) {
        m_centred = true;
        if (const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(s->availableGeometry().center());
            move(frame.topLeft());
        }
    }
}
