#pragma once

#include "files/Fallible.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

struct JpegDecodeResult
{
    QImage image;      // at the scale chosen
    QSize naturalSize; // the picture's full size
    int scaleNum = 8;  // decoded at scaleNum/8 of the full size
};

// Decodes JPEG bytes with libjpeg. With a valid `targetSize` the picture is decoded at the
// smallest DCT scale (1/8 ... 8/8) whose result still covers the target on both axes; without
// one, at full size. A corrupt file never ends the program: libjpeg's errors return here.
Fallible<JpegDecodeResult> decodeJpeg(const QByteArray &bytes, QSize targetSize = QSize());

// The numerator n (of n/8) decodeJpeg picks for a picture of `full` pixels and a target.
int jpegScaleFor(QSize full, QSize targetSize);
