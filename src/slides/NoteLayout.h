#pragma once

#include "config/PresentationSettings.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <functional>

class QPaintDevice;

// One label of a note or title panel as the layouts see it: the two measures of its font and
// how its text wraps. An empty label counts 0 for every measure.
struct NoteLabel
{
    QString text;
    int margin = 0;                              // width of "H" in its font
    int line = 0;                                // height of "Hg" in its font
    int naturalWidth = 0;                        // unwrapped
    int naturalHeight = 0;                       // unwrapped (one line per line break)
    std::function<int(int width)> wrappedHeight; // height when wrapped at `width`

    bool empty() const { return text.isEmpty(); }
    // Measures `text` in `font` on `device` (nullptr: the screen).
    static NoteLabel measure(const QString &text, const QFont &font, const QPaintDevice *device);
};

// Where the labels go inside a panel, in panel coordinates; `wrap` when the text is word-wrapped
// at the label's width. `panelExtent` is the panel's width (left/right panels) or height
// (top/bottom panels) after the layout.
struct NoteLayoutResult
{
    int panelExtent = 0;
    QRect label1, label2;
    bool wrap1 = false, wrap2 = false;
    bool centred = true; // the text is centred in each label rectangle
};

struct LRLayoutOptions
{
    PanelSize size;
    bool WordWrapLRLines = false;
    bool LeftJustifyLRLines = false;
    bool OnTopLRLines = false;
};

// A panel docked left or right, `panelHeight` high.
NoteLayoutResult LayoutNotesLR(const NoteLabel &l1, const NoteLabel &l2, int panelHeight,
                               const LRLayoutOptions &opt);
// A panel docked at the top or the bottom, `panelWidth` wide.
NoteLayoutResult LayoutNotesTB(const NoteLabel &l1, const NoteLabel &l2, int panelWidth,
                               const PanelSize &size);
// The two title lines on a panel of `panelSize`.
NoteLayoutResult LayoutTitle(const NoteLabel &l1, const NoteLabel &l2, QSize panelSize);
