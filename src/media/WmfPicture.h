#pragma once

#include "files/Fallible.h"
#include "media/SlidePicture.h"

#include <QByteArray>
#include <QRect>

#include <memory>
#include <vector>

// A Windows metafile, kept as its list of records and played onto a QPainter at any size. The
// common drawing records are played: window and viewport mapping, pens, brushes, fonts, lines,
// polygons, rectangles, ellipses, arcs, pies, chords, text and DIB bitmaps; others are skipped.
class WmfPicture : public MetafilePicture
{
public:
    // Parses the bytes (with or without the placeable header).
    static Fallible<std::shared_ptr<WmfPicture>> fromBytes(const QByteArray &bytes);

    QSize naturalSize() const override { return m_naturalSize; }
    void paint(QPainter &painter, const QRectF &target) const override;

    // The logical rectangle that is mapped onto the paint target.
    QRect frame() const { return m_frame; }
    int recordCount() const { return int(m_records.size()); }

    struct Record
    {
        std::uint16_t function;
        qsizetype offset; // of the parameters in the bytes
        qsizetype words;  // parameter size in 16-bit words
    };

private:
    WmfPicture() = default;

    QByteArray m_bytes;
    std::vector<Record> m_records;
    int m_objectCount = 0;
    QRect m_frame;
    QSize m_naturalSize;
};
