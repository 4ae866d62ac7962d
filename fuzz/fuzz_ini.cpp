// The settings file reader: sections, keys and values, and the numbers and booleans read from
// them. What is written back must read back as the same sections, keys and values.
#include "FuzzSupport.h"
#include "config/TNewIniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    TNewIniFile ini;
    ini.loadFromBytes(fuzzBytes(bytes, size));
    const QStringList sections = ini.sectionNames();
    for (const QString &section : sections) {
        FUZZ_CHECK(ini.SectionExists(section));
        for (const QString &key : ini.keyNames(section)) {
            (void)ini.ReadString(section, key, QString());
            (void)ini.ReadInteger(section, key, -1);
            (void)ini.ReadBool(section, key, false);
        }
    }
    TNewIniFile again;
    again.loadFromBytes(ini.toBytes());
    FUZZ_CHECK(again.sectionNames() == sections);
    for (const QString &section : sections) {
        FUZZ_CHECK(again.keyNames(section) == ini.keyNames(section));
        for (const QString &key : ini.keyNames(section))
            FUZZ_CHECK(again.value(section, key) == ini.value(section, key));
    }
    if (!sections.isEmpty()) {
        ini.WriteInteger(sections.first(), QStringLiteral("Fuzz"), 0x7fffffff);
        FUZZ_CHECK(ini.ReadInteger(sections.first(), QStringLiteral("Fuzz"), 0) == 0x7fffffff);
        ini.eraseSection(sections.last());
        FUZZ_CHECK(!ini.SectionExists(sections.last()));
    }
    return 0;
}
