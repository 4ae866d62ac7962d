#pragma once

#include "editors/ui/TFEdiPresentationH.h"
#include "files/Fallible.h"

class TextSlideView;

// The preview of a text or rich-text file: the player's read-only text view, in the text slides'
// font on their background colour (a ".txt" file as plain text, RTF codes and all), with the
// question's answer panel below it for a question row. Esc and F1 in the text act as in the
// window; the other keys scroll it.
class TFEdiPresText : public TFEdiPresentationH
{
    Q_OBJECT
public:
    TFEdiPresText(const SlideRecord &slide, PreviewContext &context, QWidget *parent = nullptr);

    // Reads the file into the view; on failure the window is of no use and the message says
    // why ("No es pot obrir el fitxer ...").
    Fallible<void> loadFile();
    TextSlideView *textView() const { return m_text; }

private:
    TextSlideView *m_text;
};
