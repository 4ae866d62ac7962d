#include "files/TableText.h"

#include "files/AtomicFileWriter.h"
#include "files/FileChecks.h"
#include "files/Prompter.h"
#include "files/TextCodec.h"

#include <QClipboard>
#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QGuiApplication>

namespace {

constexpr QChar kTab(u'\t');
constexpr QChar kQuote(u'"');

QString fieldText(const MemTable::Field &f, const QVariant &v, QuoteStrings quote)
{
    if (v.isNull())
        return QString();
    switch (f.kind) {
    case MemTable::FieldKind::String:
        return quote == QuoteStrings::Yes ? kQuote + v.toString() + kQuote : v.toString();
    case MemTable::FieldKind::SmallInt:
    case MemTable::FieldKind::Integer: return QString::number(v.toLongLong());
    case MemTable::FieldKind::Boolean:
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case MemTable::FieldKind::Float: return QString::number(v.toDouble(), 'g', 15);
    case MemTable::FieldKind::Date: return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case MemTable::FieldKind::DateTime: {
        const QDateTime dt = v.toDateTime();
        // A value with no date part is a bare time.
        if (dt.date() == QDate(1899, 12, 30) || !dt.date().isValid())
            return dt.time().toString(QStringLiteral("HH:mm:ss"));
        return dt.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    }
    }
    return QString();
}

// The pieces between TABs, taken verbatim: a field may start or end with a quote, which is
// part of its text (the files and the clipboard are written without quoting).
QStringList splitPieces(const QString &line)
{
    return line.split(kTab);
}

} // namespace

QString TableToText(const MemTable &table, QuoteStrings quote, IncludeCalculated calc)
{
    QStringList lines;
    for (int r = 0; r < table.recordCount(); ++r) {
        QStringList parts;
        const auto &rec = table.record(r);
        for (std::size_t f = 0; f < table.fields().size(); ++f) {
            const auto &field = table.fields()[f];
            if (field.calculated && calc == IncludeCalculated::No)
                continue;
            parts.append(fieldText(field, f < rec.size() ? rec[f] : QVariant(), quote));
        }
        lines.append(parts.join(kTab));
    }
    return joinTextLines(lines);
}

std::optional<QString> ReadTableText(MemTable &table, const QString &text, IncludeCalculated calc)
{
    std::vector<int> targets;
    for (std::size_t f = 0; f < table.fields().size(); ++f)
        if (!table.fields()[f].calculated || calc == IncludeCalculated::Yes)
            targets.push_back(int(f));
    int lineNumber = 0;
    for (const QString &line : splitTextLines(text)) {
        ++lineNumber;
        if (line.isEmpty())
            continue;
        const QStringList pieces = splitPieces(line);
        if (pieces.size() > qsizetype(targets.size()))
            return QStringLiteral("La línia %1 té més camps dels que té la taula %2")
                .arg(lineNumber)
                .arg(table.name());
        MemTable::Record rec = table.emptyRecord();
        for (qsizetype i = 0; i < pieces.size(); ++i)
            table.setField(rec, targets[std::size_t(i)], pieces[i]);
        if (auto err = table.append(rec))
            return QStringLiteral("Línia %1: %2").arg(lineNumber).arg(*err);
    }
    table.current = table.recordCount() > 0 ? 0 : -1;
    return std::nullopt;
}

Fallible<void> SaveTableToText(const MemTable &table, const QString &path, QuoteStrings quote,
                               IncludeCalculated calc, Prompter &prompter)
{
    if (!table.isOpen()) {
        const QString message =
            QStringLiteral("La base de dades %1 no està oberta").arg(table.name());
        prompter.ShowError(message);
        return Fallible<void>::failure(message);
    }
    // A refusal has been told by the check itself, or was the user's own answer.
    if (!EnsureWritable(path, prompter))
        return Fallible<void>::failure(QString());
    const QString text = TableToText(table, quote, calc);
    if (!writeFileAtomically(path, encode8BitText(text, encodingForNewText(text))).ok) {
        const QString message = QStringLiteral("S'ha produït un error en crear\r\n%1").arg(path);
        prompter.ShowError(message);
        return Fallible<void>::failure(message);
    }
    return Fallible<void>::success();
}

Fallible<void> LoadTableFromText(MemTable &table, const QString &path, IncludeCalculated calc)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fallible<void>::failure(
            QStringLiteral("S'ha produït un error en obrir per llegir\r\n%1").arg(path));
    if (auto err = ReadTableText(table, decode8BitText(file.readAll()).text, calc)) {
        table.current = table.recordCount() > 0 ? 0 : -1;
        return Fallible<void>::failure(*err);
    }
    return Fallible<void>::success();
}

void CopyTableToClipboard(const MemTable &table, QuoteStrings quote, IncludeCalculated calc)
{
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        app->clipboard()->setText(TableToText(table, quote, calc));
}

std::optional<QString> PasteTableFromClipboard(MemTable &table, IncludeCalculated calc)
{
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app)
        return std::nullopt;
    return ReadTableText(table, app->clipboard()->text(), calc);
}

std::optional<QString> ConfirmPostRecord(MemTable &table, Prompter &prompter)
{
    if (!table.editing)
        return std::nullopt;
    if (prompter.AskYes(QStringLiteral("Voleu guardar els canvis d'aquest registre?")))
        return table.post();
    table.cancel();
    return std::nullopt;
}

std::unique_ptr<QFile> OpenTextFile(const QString &path, TextFileMode mode, Prompter &prompter)
{
    auto file = std::make_unique<QFile>(path);
    if (mode == TextFileMode::Read) {
        if (file->open(QIODevice::ReadOnly))
            return file;
        prompter.ShowError(
            QStringLiteral("S'ha produït un error en obrir per llegir\r\n%1").arg(path));
        return nullptr;
    }
    if (!EnsureWritable(path, prompter))
        return nullptr;
    const bool create = mode == TextFileMode::Create;
    if (file->open(create ? QIODevice::WriteOnly | QIODevice::Truncate : QIODevice::Append))
        return file;
    prompter.ShowError((create
                            ? QStringLiteral("S'ha produït un error en crear\r\n%1")
                            : QStringLiteral("S'ha produït un error en obrir per escriure\r\n%1"))
                           .arg(path));
    return nullptr;
}
