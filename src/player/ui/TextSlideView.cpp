#include "player/ui/TextSlideView.h"

#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTextDocument>

TextSlideView::TextSlideView(QWidget *parent) : QTextEdit(parent)
{
    setObjectName(QStringLiteral("RichEdit"));
    setReadOnly(true);
    setAcceptRichText(true);
    setUndoRedoEnabled(false);
    // Drawn edge to edge like the export draws it.
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    hide();
}

void TextSlideView::setAppearance(const QColor &background, const QFont &font, const QColor &text)
{
    QPalette pal = palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(g, QPalette::Base, background);
        pal.setColor(g, QPalette::Text, text);
    }
    setPalette(pal);
    viewport()->setAutoFillBackground(true);
    setFont(font);
    document()->setDefaultFont(font);
}

Fallible<void> TextSlideView::loadFile(const QString &path, TextKind kind)
{
    // Read into a document of its own, without a layout, and only then handed to the view: a long
    // file is not laid out paragraph by paragraph while it is read.
    auto *doc = new QTextDocument(this);
    Fallible<void> loaded = loadTextFile(path, kind, *doc, font());
    if (!loaded.ok()) {
        delete doc;
        return loaded;
    }
    // The view's first document belongs to its text control, which deletes it when replaced.
    const QPointer<QTextDocument> old = document();
    setDocument(doc);
    if (old && old->parent() == this)
        delete old.data();
    m_fileName = path;
    m_kind = kind;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    return loaded;
}

void TextSlideView::keyPressEvent(QKeyEvent *event)
{
    if (m_keyHandler) {
        event->accept();
        m_keyHandler(event);
        if (event->isAccepted())
            return;
    }
    QTextEdit::keyPressEvent(event);
}
