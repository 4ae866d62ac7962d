#include "editors/ui/SlidePreviews.h"

#include "editors/ui/TFEdiPresAvi.h"
#include "editors/ui/TFEdiPresImage.h"
#include "editors/ui/TFEdiPresMov.h"
#include "editors/ui/TFEdiPresText.h"
#include "editors/ui/TFEdiPresTitle.h"
#include "editors/ui/TFEdiPresWeb.h"
#include "files/Prompter.h"

Fallible<std::unique_ptr<TFEdiPresentationH>>
createSlidePreview(const SlidePreviewRequest &request, PreviewContext &context, QWidget *parent)
{
    const SlideRecord slide = previewSlide(request);
    std::unique_ptr<TFEdiPresentationH> window;
    switch (previewWindowFor(request.kind, request.editor)) {
    case PreviewWindow::None: break;
    case PreviewWindow::Image:
        window = std::make_unique<TFEdiPresImage>(slide, context, parent);
        break;
    case PreviewWindow::Text: {
        auto text = std::make_unique<TFEdiPresText>(slide, context, parent);
        const Fallible<void> loaded = text->loadFile();
        if (!loaded.ok())
            return Fallible<std::unique_ptr<TFEdiPresentationH>>::failure(loaded.error());
        window = std::move(text);
        break;
    }
    case PreviewWindow::Title:
        window = std::make_unique<TFEdiPresTitle>(slide, context, parent);
        break;
    case PreviewWindow::Web:
        window =
            std::make_unique<TFEdiPresWeb>(slide, context, TFEdiPresWeb::BrowserFactory(), parent);
        break;
    case PreviewWindow::Avi: window = std::make_unique<TFEdiPresAvi>(slide, context, parent); break;
    case PreviewWindow::Mov: window = std::make_unique<TFEdiPresMov>(slide, context, parent); break;
    }
    return window;
}

bool showSlidePreview(const SlidePreviewRequest &request, PreviewContext &context, QWidget *parent)
{
    Fallible<std::unique_ptr<TFEdiPresentationH>> made =
        createSlidePreview(request, context, parent);
    if (!made.ok()) {
        context.prompter.ShowError(made.error());
        return false;
    }
    const std::unique_ptr<TFEdiPresentationH> window = made.take();
    if (!window)
        return false;
    window->exec();
    return true;
}
