#pragma once

#include <QString>

#include <cstdint>

// Decodes GIF raster data (the concatenated sub-blocks after the minimum code size) into
// `pixelCount` palette indices, in stream order. Pixels the stream does not reach stay as they
// were; pixels beyond `pixelCount` are dropped. Returns the error text, empty on success.
QString decodeGifLzw(int minCodeSize, const std::uint8_t *data, qsizetype size,
                     std::uint8_t *pixels, qsizetype pixelCount);
