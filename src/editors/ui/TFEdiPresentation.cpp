#include "editors/ui/TFEdiPresentation.h"

#include "editors/SlidePreviewRequest.h"

TFEdiPresentation::TFEdiPresentation(Prompter &prompter, QWidget *parent)
    : TFEdiPresentation0(prompter, parent)
{
    setObjectName(QStringLiteral("TFEdiPresentation"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
}

QString TFEdiPresentation::helpText() const
{
    return previewHelpText(PreviewHelp::Sizeable);
}
