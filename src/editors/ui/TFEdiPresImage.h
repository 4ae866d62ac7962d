#pragma once

#include "editors/ui/TFEdiPresentationH.h"

// The preview of a picture: the image view with the row's mark (Ctrl+drag zooms while no mark
// shows) and the note panel docked where the row says, or at the bottom with the answers of a
// question. The caption follows the drawn size: the file's name, two blanks and the percentage.
class TFEdiPresImage : public TFEdiPresentationH
{
    Q_OBJECT
public:
    TFEdiPresImage(const SlideRecord &slide, PreviewContext &context, QWidget *parent = nullptr);
};
