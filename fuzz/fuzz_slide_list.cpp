// A whole slide list file as read from disk: the text's encoding, its lines and every slide on it.
// What is written back from a list must read back as the same lines.
#include "FuzzSupport.h"
#include "presentation/SlideList.h"
#include "presentation/SlideRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    SlideList list;
    list.loadFromBytes(fuzzBytes(bytes, size));
    for (const QString &line : list.lines) {
        if (const auto slide = ParseSlideLine(line))
            (void)ParseSlideFlags(slide->Flags);
    }
    if (!list.lines.isEmpty())
        list.recordTime(0, 12);
    const QStringList lines = list.lines;
    const QByteArray written = list.toBytes();
    SlideList again;
    again.loadFromBytes(written);
    FUZZ_CHECK(again.lines == lines);
    return 0;
}
