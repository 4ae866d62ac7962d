#include "player/WebTextSize.h"

#include <algorithm>

int WebTextSize::decreased() const
{
    return std::clamp(value - 1, lowest, std::max(lowest, highest));
}

int WebTextSize::increased() const
{
    return std::clamp(value + 1, lowest, std::max(lowest, highest));
}

QString WebTextSize::hint() const
{
    return QStringLiteral("Ampliació de la mida del text: %1").arg(value) +
           QStringLiteral("\r\n(de la pàgina web)");
}
