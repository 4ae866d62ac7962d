#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>

// The extension blocks a GIF file may carry before an image. Each keeps the fixed fields of its
// block; the sub-blocks that follow are kept as they were read.

struct TGraphicControlExtension
{
    std::uint8_t packed = 0; // disposal method (bits 2-4) and the transparency flag (bit 0)
    std::uint16_t delay = 0; // hundredths of a second
    std::uint8_t transparentIndex = 0;

    int disposal() const { return (packed >> 2) & 0x07; }
    bool hasTransparency() const { return packed & 0x01; }
};

struct TPlainTextExtension
{
    std::uint16_t left = 0;
    std::uint16_t top = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t cellWidth = 0;
    std::uint8_t cellHeight = 0;
    std::uint8_t foregroundIndex = 0;
    std::uint8_t backgroundIndex = 0;
    QList<QByteArray> lines; // one per data sub-block
};

struct TApplicationExtension
{
    QByteArray identifier; // the 8-byte name and 3-byte authentication code
    QList<QByteArray> blocks;
};

struct TCommentExtension
{
    QList<QByteArray> lines;
};
