#include "tables/MeaningTables.h"

#include "files/FileNames.h"
#include "files/Prompter.h"
#include "files/TableText.h"
#include "files/TextCodec.h"

#include <QFile>
#include <QFileInfo>

using FK = MemTable::FieldKind;

MemTable makeWordTable()
{
    return MemTable(QStringLiteral("Paraules i significats"),
                    {{QStringLiteral("Word"), FK::String, 20, true, false},
                     {QStringLiteral("Meaning"), FK::String, 120, true, false}});
}

MemTable makeSoundTable()
{
    return MemTable(QStringLiteral("Imatges/sons i significats"),
                    // The paths are not cut: a path cut short names another file, or none.
                    {{QStringLiteral("FN"), FK::String, 0, false, false},
                     {QStringLiteral("MarkX"), FK::SmallInt, 0, false, false},
                     {QStringLiteral("MarkY"), FK::SmallInt, 0, false, false},
                     {QStringLiteral("AudioFN"), FK::String, 0, false, false},
                     {QStringLiteral("Meaning"), FK::String, 50, true, false}});
}

MeaningTable::MeaningTable(MeaningKind k)
    : kind(k), table(k == MeaningKind::Words ? makeWordTable() : makeSoundTable())
{}

Fallible<void> MeaningTable::load(const QString &path)
{
    table.clear();
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0) {
        fileName.clear();
        return Fallible<void>::success();
    }
    // A file that cannot be opened is not the table's: its name is forgotten, so the command
    // that edits the current table stays disabled.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fileName.clear();
        return Fallible<void>::failure(
            QStringLiteral("S'ha produït un error en obrir per llegir\r\n%1").arg(path));
    }
    const std::optional<QString> fault =
        ReadTableText(table, decode8BitText(file.readAll()).text, IncludeCalculated::No);
    if (kind == MeaningKind::Sounds) {
        // An empty mark in a file written elsewhere reads as 0; ours always hold a number.
        for (int r = 0; r < table.recordCount(); ++r) {
            MemTable::Record rec = table.record(r);
            for (int f : {1, 2})
                if (rec[std::size_t(f)].isNull())
                    rec[std::size_t(f)] = 0;
            table.replaceAt(r, rec);
        }
    }
    fileName = path;
    table.current = table.recordCount() > 0 ? 0 : -1;
    table.modified = false;
    return fault ? Fallible<void>::failure(*fault) : Fallible<void>::success();
}

Fallible<void> MeaningTable::save(const QString &path, Prompter &prompter)
{
    const QString other = changeFileExt(path, kind == MeaningKind::Words ? QStringLiteral(".sml")
                                                                         : QStringLiteral(".wml"));
    if (QFileInfo::exists(other)) {
        if (!prompter.AskYes(
                QStringLiteral("També existeix l'arxiu:\r\n%1,\r\nesborrar-lo, ja que no "
                               "poden coexistir un arxiu sml i wml?")
                    .arg(other)))
            return Fallible<void>::failure(QString());
        if (!QFile::remove(other))
            return Fallible<void>::failure(QString());
    }
    const Fallible<void> written =
        SaveTableToText(table, path, QuoteStrings::No, IncludeCalculated::No, prompter);
    if (!written.ok())
        return written;
    fileName = path;
    table.modified = false;
    return written;
}
