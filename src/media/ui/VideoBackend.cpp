#include "media/ui/VideoBackend.h"

#include <QList>
#include <QMediaFormat>

namespace {

std::optional<bool> &pretended()
{
    static std::optional<bool> value;
    return value;
}

bool systemHasBackend()
{
    // Without a multimedia backend the list of decodable formats is empty.
    static const bool found = !QMediaFormat().supportedFileFormats(QMediaFormat::Decode).isEmpty();
    return found;
}

} // namespace

namespace VideoBackend {

bool available()
{
    if (pretended())
        return *pretended();
    return systemHasBackend();
}

void setAvailableForTesting(std::optional<bool> available)
{
    pretended() = available;
}

} // namespace VideoBackend
