#pragma once

#include "files/Fallible.h"

#include <QByteArray>
#include <QList>
#include <QRgb>

// A GIF colour table: the raw RGB triples as stored in the file.
class TColorTable
{
public:
    TColorTable() = default;
    // `rgb` holds 3 bytes per colour.
    explicit TColorTable(QByteArray rgb);

    int count() const { return int(m_rgb.size() / 3); }
    bool isEmpty() const { return count() == 0; }
    const QByteArray &rgb() const { return m_rgb; }

    // The colour at `index`; an index outside the table is an error.
    Fallible<QRgb> color(int index) const;

    // 256 entries, ready for an 8-bit indexed image: the table's colours, then black for the
    // indices a corrupt frame may use beyond the table. An absent table gives a grey ramp.
    QList<QRgb> palette() const;

private:
    QByteArray m_rgb;
};
