#pragma once

#include <QString>
#include <QtGlobal>

// Pictures larger than this are refused before anything is allocated for their pixels.
constexpr qint64 kMaxPicturePixels = 64LL * 1024 * 1024;

inline QString pictureTooLargeMessage(qint64 width, qint64 height)
{
    return QStringLiteral("La imatge és massa gran (%1 × %2 píxels)").arg(width).arg(height);
}
