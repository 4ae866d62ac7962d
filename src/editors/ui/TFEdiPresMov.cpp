#include "editors/ui/TFEdiPresMov.h"

TFEdiPresMov::TFEdiPresMov(const SlideRecord &slide, PreviewContext &context, QWidget *parent)
    : TFEdiPresVideo(slide, context, parent)
{
    setObjectName(QStringLiteral("TFEdiPresMov"));
}
