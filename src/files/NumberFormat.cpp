#include "files/NumberFormat.h"

#include <QLocale>

#include <algorithm>

QString rightAligned(qint64 n, int width, QChar pad)
{
    if (pad == QLatin1Char('0') && n < 0) {
        // The digits of the magnitude, built from the number's own digits so the lowest value
        // of the type needs no negation.
        const QString digits = QString::number(n).mid(1);
        return QLatin1Char('-') + digits.rightJustified(std::max(width - 1, 0), pad);
    }
    return QString::number(n).rightJustified(std::max(width, 0), pad);
}

QString withThousands(qint64 n)
{
    // The messages are Catalan, so their numbers are too, whatever the system's language.
    QLocale catalan(QLocale::Catalan, QLocale::Spain);
    catalan.setNumberOptions(QLocale::DefaultNumberOptions);
    return catalan.toString(n);
}
