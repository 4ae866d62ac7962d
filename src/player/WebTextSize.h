#pragma once

#include <QString>

// The web view's text size as its up-down control shows it: a step between the view's lowest and
// highest text zoom.
struct WebTextSize
{
    int lowest = 0;
    int highest = 0;
    int value = 0;

    bool decreaseEnabled() const { return value > lowest; }
    bool increaseEnabled() const { return value < highest; }
    // One step down or up, never past the ends.
    int decreased() const;
    int increased() const;
    // "Ampliació de la mida del text: <value>\r\n(de la pàgina web)"
    QString hint() const;
};
