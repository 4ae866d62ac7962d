#pragma once

#include "player/ui/TFShowErrW.h"

#include <QSize>

class QPlainTextEdit;
struct FontSettings;

// The reaction window with a text file: a read-only text view of exactly the limit box, in the
// player's text font. Rich-text files show their text as stored, codes included.
class TFShowErrWText : public TFShowErrW
{
    Q_OBJECT
public:
    TFShowErrWText(const FontSettings &textFont, PlayerView &audioOwner, Prompter &prompter,
                   const QString &audio, QWidget *parent = nullptr);

    // Loads the file and sizes the window to `limit`. Returns the message to show when the file
    // cannot be read ("" when it is shown).
    QString loadText(const QString &file, QSize limit);

    QPlainTextEdit *textView() const { return m_text; }

private:
    QPlainTextEdit *m_text;
};
