// Tables as text, as pasted or read from a file: the words table, the pictures-and-sounds table
// and a table with every kind of field, then both meaning tables loaded from their files. Records
// read and written out again must read back as the same text.
#include "FuzzSupport.h"
#include "files/MemTable.h"
#include "files/TableText.h"
#include "tables/MeaningTables.h"

namespace {

MemTable everyKind()
{
    using K = MemTable::FieldKind;
    return MemTable(QStringLiteral("Fuzz"), {{QStringLiteral("S"), K::String, 8, true},
                                             {QStringLiteral("I16"), K::SmallInt},
                                             {QStringLiteral("I"), K::Integer},
                                             {QStringLiteral("B"), K::Boolean},
                                             {QStringLiteral("F"), K::Float},
                                             {QStringLiteral("D"), K::Date},
                                             {QStringLiteral("DT"), K::DateTime}});
}

void readAndWriteBack(MemTable table, const QString &text)
{
    (void)ReadTableText(table, text);
    const QString written = TableToText(table);
    (void)TableToText(table, QuoteStrings::Yes, IncludeCalculated::Yes);
    MemTable fresh(table.name(), table.fields());
    FUZZ_CHECK(!ReadTableText(fresh, written).has_value());
    FUZZ_CHECK(TableToText(fresh) == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    const QByteArray input = fuzzBytes(bytes, size);
    const QString text = QString::fromUtf8(input);
    readAndWriteBack(makeWordTable(), text);
    readAndWriteBack(makeSoundTable(), text);
    readAndWriteBack(everyKind(), text);

    MeaningTable words(MeaningKind::Words);
    (void)words.load(fuzzScratchFile(QStringLiteral("fuzz.wml"), input));
    MeaningTable sounds(MeaningKind::Sounds);
    (void)sounds.load(fuzzScratchFile(QStringLiteral("fuzz.sml"), input));
    return 0;
}
