// The recent-file list read from its ".lru" file: never more names than the maximum, none empty.
#include "FuzzSupport.h"
#include "media/TLRU.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    const int maximum = size > 0 ? 1 + bytes[0] % 10 : 10;
    TLRU list(maximum);
    list.setFileName(fuzzScratchFile(QStringLiteral("recent.lru"), fuzzBytes(bytes, size)));
    list.loadFromFile();
    FUZZ_CHECK(list.count() <= maximum);
    for (const QString &name : list.names())
        FUZZ_CHECK(!name.isEmpty());
    if (list.count() > 0) {
        const QString first = list.at(0);
        list.AddItem(list.at(list.count() - 1));
        FUZZ_CHECK(list.count() <= maximum);
        (void)list.RemoveItem(first);
    }
    list.setMaxItems(1);
    FUZZ_CHECK(list.count() <= 1);
    return 0;
}
