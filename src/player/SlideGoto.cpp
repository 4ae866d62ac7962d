#include "player/SlideGoto.h"

#include "files/FileNames.h"
#include "presentation/SlideList.h"
#include "presentation/SlideRecord.h"

namespace {

enum GotoField { FieldN = 0, FieldName = 1, FieldExplain = 2 };

} // namespace

MemTable MakeGotoSlidesTable()
{
    return MemTable(QStringLiteral("RMD_Slides"),
                    {{QStringLiteral("N"), MemTable::FieldKind::Integer, 0, false, false},
                     {QStringLiteral("Name"), MemTable::FieldKind::String, 50, false, false},
                     {QStringLiteral("Explain"), MemTable::FieldKind::String, 100, false, false}});
}

Fallible<void> FillGotoSlides(MemTable &table, const SlideList &list)
{
    table.clear();
    const qsizetype count = list.lines.size();
    for (qsizetype i = 0; i < count; ++i) {
        const std::optional<SlideRecord> slide = DecodeSlide(list.lines[i]);
        if (!slide)
            return Fallible<void>::failure(MalformedLineMessage(int(i + 1)));
        if (slide->Hidden || slide->FileState != fsOk)
            continue;
        MemTable::Record r = table.emptyRecord();
        // N holds any line number: a 16-bit field would lose the slides after line 32767.
        (void)table.setField(r, FieldN, int(i + 1));
        QString name;
        if (slide->Kind != skTitle) {
            const QString ext = fileExtension(slide->FileName);
            name = fileNameWithoutExt(slide->FileName) +
                   (ext.isEmpty() ? QString() : QLatin1Char('.') + ext.toLower());
        }
        (void)table.setField(r, FieldName, name);
        QString explain = slide->PromptOr1stLine;
        (void)table.setField(r, FieldExplain,
                             explain.replace(QLatin1Char('|'), QStringLiteral(" | ")));
        (void)table.append(r);
    }
    return Fallible<void>::success();
}

int GotoRecordOf(const MemTable &table, int slideIndex)
{
    if (table.recordCount() == 0)
        return -1;
    for (int i = 0; i < table.recordCount(); ++i)
        if (table.record(i)[FieldN].toInt() == slideIndex + 1)
            return i;
    return 0;
}
