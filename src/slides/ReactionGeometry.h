#pragma once

#include <QSize>

// The sizes of the windows that show the picture or the text linked to an answer.

// The box a reaction window must fit in: `percent` of the referent's size (the screen or the main
// window), each dimension rounded to the nearest pixel.
QSize reactionLimitBox(QSize referent, int percent);

// The picture's size in its reaction window: its enlarged size when that fits the limit box, else
// shrunk, keeping its proportions, until it fits.
QSize reactionPictureSize(QSize enlarged, QSize limit);
