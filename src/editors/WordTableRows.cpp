#include "editors/WordTableRows.h"

#include "files/FileNames.h"
#include "files/Prompter.h"
#include "files/TableText.h"
#include "tables/MeaningTables.h"

#include <QFileInfo>

#include <algorithm>

namespace {

QString tidy(const QString &text, bool upperFirst)
{
    QString t = text.trimmed();
    if (upperFirst && !t.isEmpty())
        t = t.left(1).toUpper() + t.mid(1);
    return t;
}

} // namespace

WordTableRows::WordTableRows(Prompter &prompter) : m_prompter(prompter), m_table(makeWordTable()) {}

void WordTableRows::loadFrom(const MeaningTable &source)
{
    loading = true;
    m_table.clear();
    for (int r = 0; r < source.table.recordCount(); ++r)
        (void)m_table.append(source.table.record(r));
    m_table.current = count() - 1;
    m_table.modified = false;
    loading = false;
    modified = false;
    postCount = 0;
}

Fallible<void> WordTableRows::post(int row, const QString &word, const QString &meaning,
                                   bool insert)
{
    QString m = tidy(meaning, upperFirst);
    if (swapped)
        m.replace(QLatin1Char('|'), QLatin1String(". "));
    MemTable::Record r = m_table.emptyRecord();
    (void)m_table.setField(r, 0, tidy(word, upperFirst));
    (void)m_table.setField(r, 1, m);
    for (std::size_t f = 0; f < r.size(); ++f)
        if (r[f].isNull())
            return Fallible<void>::failure(
                QStringLiteral("Cal un valor per al camp %1").arg(m_table.fields()[f].name));
    if (row >= 0 && row < count() && !insert)
        m_table.replaceAt(row, r);
    else
        m_table.insertAt(row >= 0 && row <= count() ? row : count(), r);
    if (!loading) {
        modified = true;
        ++postCount;
    }
    return Fallible<void>::success();
}

void WordTableRows::remove(int row)
{
    if (row < 0 || row >= count())
        return;
    m_table.removeAt(row);
    modified = true;
}

bool WordTableRows::empty()
{
    if (count() >= 2 &&
        !m_prompter.AskYes(QStringLiteral("Voleu esborrar tots els %1 registres?").arg(count())))
        return false;
    m_table.clear();
    postCount = 0;
    modified = true;
    return true;
}

Fallible<void> WordTableRows::paste(const QString &text)
{
    (void)empty();
    const int before = count();
    const std::optional<QString> error = ReadTableText(m_table, text);
    if (count() != before)
        modified = true;
    if (error)
        return Fallible<void>::failure(*error);
    return Fallible<void>::success();
}

QString WordTableRows::copyText() const
{
    return TableToText(m_table);
}

Fallible<void> WordTableRows::requireTwoRows()
{
    if (count() < 2) {
        const QString e = QStringLiteral("La taula ha de tenir almenys 2 registres");
        m_prompter.ShowError(e);
        return Fallible<void>::failure(e);
    }
    return Fallible<void>::success();
}

Fallible<void> WordTableRows::sortBy(int first, int second)
{
    if (const Fallible<void> two = requireTwoRows(); !two.ok())
        return two;
    std::vector<MemTable::Record> records;
    for (int r = 0; r < count(); ++r)
        records.push_back(m_table.record(r));
    std::stable_sort(records.begin(), records.end(),
                     [first, second](const MemTable::Record &a, const MemTable::Record &b) {
                         const int c = a[std::size_t(first)].toString().compare(
                             b[std::size_t(first)].toString(), Qt::CaseInsensitive);
                         if (c != 0)
                             return c < 0;
                         return a[std::size_t(second)].toString().compare(
                                    b[std::size_t(second)].toString(), Qt::CaseInsensitive) < 0;
                     });
    for (int r = 0; r < count(); ++r)
        m_table.replaceAt(r, records[std::size_t(r)]);
    return Fallible<void>::success();
}

Fallible<void> WordTableRows::sortByWord()
{
    return sortBy(0, 1);
}

Fallible<void> WordTableRows::sortByMeaning()
{
    return sortBy(1, 0);
}

Fallible<void> WordTableRows::saveInto(MeaningTable &target)
{
    if (const Fallible<void> two = requireTwoRows(); !two.ok())
        return two;
    MemTable copy = makeWordTable();
    for (int r = 0; r < count(); ++r)
        (void)copy.append(m_table.record(r));
    const MemTable before = target.table;
    target.table = copy;
    const Fallible<void> saved = target.save(target.fileName, m_prompter);
    if (!saved.ok()) {
        // The main window's table is as it was when its file could not be written.
        target.table = before;
        return saved;
    }
    postCount = 0;
    return Fallible<void>::success();
}

bool WordTableRows::canClose(const QString &tableFileName)
{
    if (!modified)
        return true;
    if (postCount == 0) {
        const QString sal = changeFileExt(tableFileName, QStringLiteral(".sal"));
        if (!tableFileName.isEmpty() && QFileInfo::exists(sal))
            return m_prompter.AskYes(
                QStringLiteral("Heu desat la taula però no he creat de nou l'arxiu sal existent,"
                               "\r\nsegur que voleu abandonar?"));
        return true;
    }
    if (postCount < 3)
        return true;
    return m_prompter.AskYes(
        QStringLiteral("Segur que voleu abandonar les modificacions de la taula?"));
}

QString WordTableRows::wordTitle() const
{
    return QStringLiteral("Paraula (%1)")
        .arg(swapped ? QStringLiteral("pregunta") : QStringLiteral("resposta"));
}

QString WordTableRows::meaningTitle() const
{
    return QStringLiteral("Significat/explicació/sinònim (%1)")
        .arg(swapped ? QStringLiteral("resposta") : QStringLiteral("pregunta"));
}
