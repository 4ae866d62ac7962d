#include "editors/ui/TFEdiPresText.h"

#include "config/PresentationSettings.h"
#include "editors/PreviewContext.h"
#include "files/FileNames.h"
#include "files/SystemColors.h"
#include "player/ui/TextSlideView.h"
#include "slides/TextSlideDocument.h"
#include "slides/ui/SlideArea.h"

#include <QKeyEvent>

TFEdiPresText::TFEdiPresText(const SlideRecord &slide, PreviewContext &context, QWidget *parent)
    : TFEdiPresentationH(slide, context, parent), m_text(new TextSlideView(slideArea()))
{
    setObjectName(QStringLiteral("TFEdiPresText"));
    setWindowTitle(extractFileName(slide.FileName));
    const PresentationSettings &s = context.settings;
    m_text->setAppearance(colorFromTColor(s.ColorRichEdit, palette()), fontFromSettings(s.FontText),
                          colorFromTColor(s.FontText.Color, palette()));
    // The window's own keys reach it from inside the text; the others scroll the text.
    m_text->setKeyHandler([this](QKeyEvent *event) {
        if ((event->key() == Qt::Key_Escape || event->key() == Qt::Key_F1) &&
            event->modifiers() == Qt::NoModifier)
            keyPressEvent(event);
        else
            event->ignore();
    });
    (void)slideArea()->showSlide(slide);
    slideArea()->setContentView(m_text, SlideArea::ContentPlace::Panel);
    m_text->setFocus(Qt::OtherFocusReason);
    showAnswers();
}

Fallible<void> TFEdiPresText::loadFile()
{
    return m_text->loadFile(fileName(), textKindForSlide(slide().Kind).value_or(TextKind::Plain));
}
