#pragma once

#include <QChar>
#include <QString>

// `n` right-aligned in a field `width` characters wide, padded on the left with `pad`. With '0'
// as pad a minus sign goes first ("-007"); a number wider than the field is written whole.
QString rightAligned(qint64 n, int width, QChar pad = QLatin1Char(' '));

// `n` with thousands separators and no decimals, as the program's messages write byte counts
// ("1.234.567").
QString withThousands(qint64 n);
