#pragma once

#include "presentation/SlideRecord.h"

#include <QString>

// The one writer of slide lines, used by the editors and the generators. The record's FileName
// and AudioFileName are complete paths (see joinFolderNameExt); title and document slides have
// an empty FileName.
//
// The flags come out in a fixed order: "H", the note position, "X" with "P" and "R", "T", "Ar",
// "Ac", "As", "*" number, "x" number, "y" number, "O", "C". The note position of an image slide is
// written as a single letter ("L" or "B") when it is the only marker, the form every reader
// understands; otherwise as "N" and its digit, which keeps "T" and "R" free to mean only the
// total-test and random-answer markers, so a line reads back exactly as it was written.
QString ComposeSlideFlags(const SlideRecord &slide);
QString ComposeSlideLine(const SlideRecord &slide);

// Replaces field 5 (the time) of a line and leaves every other character as it was. Returns the
// line unchanged when it is malformed.
QString ReplaceTimeField(const QString &line, int seconds);
