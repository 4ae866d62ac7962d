#pragma once

#include "presentation/SlideRecord.h"

#include <QString>

struct PresentationSettings;

// What the title bar shows during a run.
enum class KeyHintState { Finished = 0, Next = 1, None = 2, Pause = 3 };

struct CaptionInput
{
    QString listPath;
    int slideIndex = 0; // 0-based line index
    int position = 0;   // 0-based position in the order
    int orderLength = 0;
    bool randomOrder = false;
    const SlideRecord *slide = nullptr;
};

// The parts of the caption, each followed by two spaces. For an image slide with the
// enlargement part the text holds a slot where the picture's drawn size goes.
QString BuildCaptionParts(const PresentationSettings &s, const CaptionInput &in);
// The caption for a hint state; `drawSizePercent` fills the enlargement part (-1: not known).
QString ApplyCaption(const PresentationSettings &s, const QString &parts, KeyHintState state,
                     bool typedAnswer, int drawSizePercent);
QString PausedCaption(const QString &parts, int drawSizePercent);
