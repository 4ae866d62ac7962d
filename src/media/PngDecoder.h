#pragma once

#include "files/Fallible.h"

#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QString>

// Decodes a PNG file's bytes with libpng into a 24-bit picture (QImage::Format_RGB32, opaque).
// Pixels with alpha are blended over `background`. Every image layout is handled: palettes
// (with or without a transparency chunk), grey, grey with alpha, 16-bit samples. `path` only
// names the file in the error message.
Fallible<QImage> DecodePng(const QByteArray &bytes, const QString &path,
                           QRgb background = qRgb(255, 255, 255));

// The message for a PNG file that could not be opened.
QString pngOpenErrorMessage(const QString &path);
