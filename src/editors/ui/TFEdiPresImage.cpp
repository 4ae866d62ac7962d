#include "editors/ui/TFEdiPresImage.h"

#include "editors/PreviewContext.h"
#include "editors/SlidePreviewRequest.h"
#include "files/FileNames.h"
#include "files/Prompter.h"
#include "slides/ui/SlideArea.h"

TFEdiPresImage::TFEdiPresImage(const SlideRecord &slide, PreviewContext &context, QWidget *parent)
    : TFEdiPresentationH(slide, context, parent)
{
    setObjectName(QStringLiteral("TFEdiPresImage"));
    const QString name = extractFileName(slide.FileName);
    setWindowTitle(name);
    connect(slideArea(), &SlideArea::drawSizeChanged, this, [this, name](int percent) {
        if (percent >= 0)
            setWindowTitle(previewImageCaption(name, percent));
    });
    const QString error = slideArea()->showSlide(slide);
    // As the player does: PNG decoding failures are told, other undecodable pictures leave the
    // view empty.
    if (!error.isEmpty() &&
        fileExtension(slide.FileName).compare(QLatin1String("png"), Qt::CaseInsensitive) == 0)
        context.prompter.ShowError(error);
    showAnswers();
}
