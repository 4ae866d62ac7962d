#include "editors/ui/TFEdiPresAvi.h"

TFEdiPresAvi::TFEdiPresAvi(const SlideRecord &slide, PreviewContext &context, QWidget *parent)
    : TFEdiPresVideo(slide, context, parent)
{
    setObjectName(QStringLiteral("TFEdiPresAvi"));
}
