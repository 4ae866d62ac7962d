#pragma once

#include "editors/PreviewContext.h"
#include "editors/SlidePreviewRequest.h"
#include "files/Fallible.h"

#include <memory>

class QWidget;
class TFEdiPresentationH;

// The preview window of a request, ready to be shown: the window its kind gets from its editor
// (nullptr for kinds without a preview), with its file loaded. Fails, with the message to show,
// when a text file cannot be opened ("No es pot obrir el fitxer ...").
Fallible<std::unique_ptr<TFEdiPresentationH>>
createSlidePreview(const SlidePreviewRequest &request, PreviewContext &context, QWidget *parent);

// What an editor calls when the user clicks a miniature: makes the preview window, shows it
// modally and frees it. Returns whether a window was shown: false for kinds without a preview,
// and for a text file that cannot be opened, after telling the user through the prompter.
bool showSlidePreview(const SlidePreviewRequest &request, PreviewContext &context, QWidget *parent);
