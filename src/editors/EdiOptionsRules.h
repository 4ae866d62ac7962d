#pragma once

#include "files/Fallible.h"

#include <QString>

// The rules of the editors' options dialog.

// The smallest limits the dialog takes for the miniatures' file sizes, in bytes.
inline constexpr int kMinMaxBmpFileSize = 200000;
inline constexpr int kMinMaxOthersImgFileSize = 20000;

// The name a size limit is called by when it is refused: "Bytes per " + its label without "&".
QString byteLimitName(const QString &labelCaption);

// The limit typed for `name`: a whole number of at least `minimum` bytes, blanks around it
// allowed; otherwise "El valor de '<name>' ha de ser un número enter no inferior a <minimum>".
Fallible<int> parseByteLimit(const QString &text, int minimum, const QString &name);
