#pragma once

#include "config/PresentationSettings.h"
#include "files/Fallible.h"

#include <QStringList>

class QPaintDevice;

// The typed-answer input's width that fits every single answer of a presentation: the widest
// answer of the question slides with a valid file and one answer (no "|"), measured in
// `answersFont`, plus half the width of "H", at least 10. Fails with the Catalan message when
// the list has no such slide.
Fallible<int> CalcEditAnswWidth(const QStringList &lines, const FontSettings &answersFont,
                                const QPaintDevice *device = nullptr);
