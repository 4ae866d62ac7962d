#pragma once

#include "files/Fallible.h"
#include "slides/TextSlideDocument.h"

#include <QColor>
#include <QFont>
#include <QTextEdit>

#include <functional>

class QKeyEvent;

// The read-only view of text and rich-text slides ("RichEdit"): the file in the text slides' font
// on their background colour, scrolled with the wheel, the scroll bar and the keys the window
// does not use. Every key press goes first to the window's key handler, so the player's keys
// (Space, Backspace, Esc...) keep working while a text slide has the focus.
class TextSlideView : public QTextEdit
{
    Q_OBJECT
public:
    explicit TextSlideView(QWidget *parent = nullptr);

    // The handler the keys go to first; one that accepts the event keeps it from the view.
    void setKeyHandler(std::function<void(QKeyEvent *)> handler)
    {
        m_keyHandler = std::move(handler);
    }
    // Background, text font and text colour (the settings of text slides).
    void setAppearance(const QColor &background, const QFont &font, const QColor &text);

    // Shows `path` from its top, plain or rich. On failure the view keeps what it showed and the
    // message says why ("No es pot obrir el fitxer ...").
    Fallible<void> loadFile(const QString &path, TextKind kind);
    const QString &fileName() const { return m_fileName; }
    TextKind kind() const { return m_kind; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::function<void(QKeyEvent *)> m_keyHandler;
    QString m_fileName;
    TextKind m_kind = TextKind::Plain;
};
