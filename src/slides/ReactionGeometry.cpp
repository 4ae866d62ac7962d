#include "slides/ReactionGeometry.h"

#include "media/ImageGeometry.h"

#include <algorithm>
#include <cmath>

QSize reactionLimitBox(QSize referent, int percent)
{
    const double ratio = std::max(percent, 0) / 100.0;
    return QSize(int(std::lround(std::max(referent.width(), 0) * ratio)),
                 int(std::lround(std::max(referent.height(), 0) * ratio)));
}

QSize reactionPictureSize(QSize enlarged, QSize limit)
{
    if (enlarged.width() <= 0 || enlarged.height() <= 0)
        return QSize(0, 0);
    // FitRect never enlarges, so a picture that fits keeps its size.
    return ImageGeometry::FitRect(limit.width(), limit.height(), enlarged.width(),
                                  enlarged.height())
        .size();
}
