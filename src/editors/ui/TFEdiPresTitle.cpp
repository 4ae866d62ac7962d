#include "editors/ui/TFEdiPresTitle.h"

#include "slides/ui/SlideArea.h"

TFEdiPresTitle::TFEdiPresTitle(const SlideRecord &slide, PreviewContext &context, QWidget *parent)
    : TFEdiPresentationH(slide, context, parent)
{
    setObjectName(QStringLiteral("TFEdiPresTitle"));
    setWindowTitle(QStringLiteral("Visualització del títol"));
    (void)slideArea()->showSlide(slide);
    showAnswers();
}
