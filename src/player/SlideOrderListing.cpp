#include "player/SlideOrderListing.h"

#include "files/FileNames.h"
#include "files/Prompter.h"
#include "presentation/SlideList.h"
#include "presentation/SlideRecord.h"

#include <optional>
#include <vector>

namespace {

// A title slide is named by its first paragraph, any other slide by its file's name.
QString listedName(const SlideRecord &slide)
{
    if (slide.Kind == skTitle) {
        QString name = slide.PromptOr1stLine;
        return name.replace(QLatin1Char('|'), QStringLiteral(" | "));
    }
    return fileNameWithoutExt(slide.FileName);
}

} // namespace

QString OrderListingText(const SlideList &list, const SlideOrder &order, bool withTabs,
                         Prompter &prompter)
{
    const qsizetype count = list.lines.size();
    if (count == 0)
        return QString();
    const int width = int(QString::number(count).size());
    const auto number = [&](int n) {
        return withTabs ? QString::number(n) + QLatin1Char('\t')
                        : QStringLiteral("%1  ").arg(n, width);
    };

    // Every line is decoded once; a malformed one stops the listing.
    std::vector<std::optional<SlideRecord>> showable;
    showable.resize(std::size_t(count));
    for (qsizetype i = 0; i < count; ++i) {
        auto slide = DecodeSlide(list.lines[i]);
        if (!slide) {
            prompter.ShowError(MalformedLineMessage(int(i + 1)));
            return QString();
        }
        if (!slide->Hidden && slide->FileState == fsOk)
            showable[std::size_t(i)] = std::move(slide);
    }

    const QString slideNumber = QStringLiteral("número de diapositiva");
    const QString orderNumber = QStringLiteral("número d'ordre d'aparició");
    QString text = QStringLiteral("%1 i %2:\n").arg(slideNumber, orderNumber);
    for (qsizetype i = 0; i < count && std::size_t(i) < order.size(); ++i)
        if (const auto &slide = showable[std::size_t(i)])
            text += number(int(i + 1)) + number(order[std::size_t(i)].slide + 1) +
                    listedName(*slide) + QLatin1Char('\n');
    text += QStringLiteral("\n%1 i %2:\n").arg(orderNumber, slideNumber);
    for (std::size_t p = 0; p < order.size(); ++p) {
        const int index = order[p].slide;
        if (index < 0 || index >= count)
            continue;
        if (const auto &slide = showable[std::size_t(index)])
            text += number(int(p + 1)) + number(index + 1) + listedName(*slide) + QLatin1Char('\n');
    }
    return text;
}
