#include "slides/ui/WebBrowserControl.h"

#include "slides/ui/TextBrowserControl.h"
#include "slides/ui/WebEngineBrowserControl.h"

#include <algorithm>
#include <array>

namespace {

// The five text sizes a browser offers, smallest to largest.
constexpr std::array<qreal, 5> kZoom = {0.7, 0.85, 1.0, 1.25, 1.5};
static_assert(kZoom.size() == WebBrowserControl::kHighestTextSize + 1);

} // namespace

qreal WebBrowserControl::zoomForTextSize(int step)
{
    return kZoom[std::size_t(std::clamp(step, kLowestTextSize, kHighestTextSize))];
}

std::unique_ptr<WebBrowserControl> WebBrowserControl::create(QWidget *parent)
{
#ifdef PELVAR_HAVE_WEBENGINE
    return WebEngineBrowserControl::create(parent);
#else
    return std::make_unique<TextBrowserControl>(parent);
#endif
}

WebBrowserControl::~WebBrowserControl() = default;

void WebBrowserControl::setTextSize(int step)
{
    m_textSize = std::clamp(step, kLowestTextSize, kHighestTextSize);
    applyTextSize(m_textSize);
}
