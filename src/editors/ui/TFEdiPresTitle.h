#pragma once

#include "editors/ui/TFEdiPresentationH.h"

// The preview of a title row: the title panel with its two shadowed lines, or the question's
// prompt and answers, laid out as the player lays them out (again at every size).
class TFEdiPresTitle : public TFEdiPresentationH
{
    Q_OBJECT
public:
    TFEdiPresTitle(const SlideRecord &slide, PreviewContext &context, QWidget *parent = nullptr);
};
