#include "media/TColorTable.h"

TColorTable::TColorTable(QByteArray rgb) : m_rgb(std::move(rgb))
{
    m_rgb.truncate(m_rgb.size() - m_rgb.size() % 3);
}

Fallible<QRgb> TColorTable::color(int index) const
{
    if (index < 0 || index >= count())
        return Fallible<QRgb>::failure(
            QStringLiteral("L'índex %1 està fora del marge [0..%2]").arg(index).arg(count() - 1));
    const auto *p = reinterpret_cast<const uchar *>(m_rgb.constData()) + 3 * index;
    return qRgb(p[0], p[1], p[2]);
}

QList<QRgb> TColorTable::palette() const
{
    QList<QRgb> out(256, qRgb(0, 0, 0));
    if (isEmpty()) {
        for (int i = 0; i < 256; ++i)
            out[i] = qRgb(i, i, i);
        return out;
    }
    const auto *p = reinterpret_cast<const uchar *>(m_rgb.constData());
    const int n = qMin(count(), 256);
    for (int i = 0; i < n; ++i, p += 3)
        out[i] = qRgb(p[0], p[1], p[2]);
    return out;
}
