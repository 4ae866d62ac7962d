#pragma once

#include "player/ui/TFShowErrW.h"

#include <QColor>
#include <QSize>

class QTextEdit;
struct FontSettings;

// The reaction window with a text file: a read-only text view of exactly the limit box, in the
// player's text font. Files named ".rtf" are shown formatted, others as plain text, as the text
// slides show them.
class TFShowErrWText : public TFShowErrW
{
    Q_OBJECT
public:
    TFShowErrWText(const FontSettings &textFont, PlayerView &audioOwner, Prompter &prompter,
                   const QString &audio, QWidget *parent = nullptr);

    // The text slides' background colour.
    void setBackground(const QColor &color);

    // Loads the file and sizes the window to `limit`. Returns the message to show when the file
    // cannot be read ("" when it is shown).
    QString loadText(const QString &file, QSize limit);

    QTextEdit *textView() const { return m_text; }

private:
    QTextEdit *m_text;
};
