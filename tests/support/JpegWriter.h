#pragma once

#include <QByteArray>
#include <QImage>

// Encodes test pictures with libjpeg: colour, grey or (Adobe-style inverted) CMYK.
enum class JpegKind { Color, Grey, Cmyk };
QByteArray encodeJpeg(const QImage &image, int quality = 90, JpegKind kind = JpegKind::Color);
