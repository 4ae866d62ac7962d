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

const QString kKeepChanges = QStringLiteral("Voleu guardar els canvis d'aquest registre?");

} // namespace

WordTableRows::WordTableRows(Prompter &prompter) : m_prompter(prompter), m_table(makeWordTable()) {}

void WordTableRows::loadFrom(const MeaningTable &source)
{
    loading = true;
    m_state = EditState::Browse;
    m_editRow = -1;
    m_table.clear();
    for (int r = 0; r < source.table.recordCount(); ++r)
        (void)m_table.append(source.table.record(r));
    m_table.current = count() - 1;
    m_table.modified = false;
    loading = false;
    modified = false;
    postCount = 0;
    generationEnabled = true;
}

int WordTableRows::tableRow(int row) const
{
    if (m_state != EditState::Insert || row < m_editRow)
        return row;
    return row == m_editRow ? -1 : row - 1;
}

QString WordTableRows::shownText(int row, int field) const
{
    if (field < 0 || field > 1 || row < 0 || row >= shownCount())
        return QString();
    if (m_state != EditState::Browse && row == m_editRow)
        return m_pending[field];
    return m_table.record(tableRow(row))[std::size_t(field)].toString();
}

Fallible<void> WordTableRows::beginInsert(int row)
{
    if (const Fallible<void> posted = postPending(); !posted.ok())
        return posted;
    m_state = EditState::Insert;
    m_editRow = std::clamp(row, 0, count());
    m_pending[0].clear();
    m_pending[1].clear();
    return Fallible<void>::success();
}

void WordTableRows::setPending(int row, int field, const QString &text)
{
    if (field < 0 || field > 1 || row < 0 || row >= shownCount())
        return;
    // Another row's edit is posted first, by the caller: typing elsewhere is refused until then.
    if (m_state != EditState::Browse && row != m_editRow)
        return;
    if (m_state == EditState::Browse) {
        m_state = EditState::Edit;
        m_editRow = row;
        for (int f = 0; f < 2; ++f)
            m_pending[f] = m_table.record(row)[std::size_t(f)].toString();
    }
    m_pending[field] = text;
}

bool WordTableRows::hasPendingChanges() const
{
    switch (m_state) {
    case EditState::Browse: return false;
    case EditState::Insert: return !m_pending[0].isEmpty() || !m_pending[1].isEmpty();
    case EditState::Edit:
        for (int f = 0; f < 2; ++f)
            if (m_pending[f] != m_table.record(m_editRow)[std::size_t(f)].toString())
                return true;
        return false;
    }
    return false;
}

Fallible<void> WordTableRows::postPending()
{
    if (m_state == EditState::Browse)
        return Fallible<void>::success();
    if (!hasPendingChanges()) {
        cancelPending();
        return Fallible<void>::success();
    }
    const Fallible<void> posted =
        post(m_editRow, m_pending[0], m_pending[1], m_state == EditState::Insert);
    if (!posted.ok()) {
        m_prompter.ShowError(posted.error());
        return posted;
    }
    m_state = EditState::Browse;
    m_editRow = -1;
    return posted;
}

void WordTableRows::cancelPending()
{
    m_state = EditState::Browse;
    m_editRow = -1;
    m_pending[0].clear();
    m_pending[1].clear();
}

Fallible<void> WordTableRows::postWithMinimum()
{
    if (const Fallible<void> posted = postPending(); !posted.ok())
        return posted;
    return requireTwoRows();
}

void WordTableRows::removeShown(int row)
{
    if (row < 0 || row >= shownCount())
        return;
    const int stored = tableRow(row);
    if (m_state != EditState::Browse && row == m_editRow) {
        cancelPending();
        if (stored < 0)
            return;
    }
    remove(stored);
    if (m_state != EditState::Browse && m_editRow > row)
        --m_editRow;
}

Fallible<void> WordTableRows::post(int row, const QString &word, const QString &meaning,
                                   bool insert)
{
    // Rows being loaded are stored as they come.
    QString m = loading ? meaning : tidy(meaning, upperFirst);
    if (swapped && !loading)
        m.replace(QLatin1Char('|'), QLatin1String(". "));
    MemTable::Record r = m_table.emptyRecord();
    (void)m_table.setField(r, 0, loading ? word : tidy(word, upperFirst));
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
        generationEnabled = false;
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
    if (!postPending().ok())
        return false;
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
    if (const Fallible<void> posted = postPending(); !posted.ok())
        return posted;
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
    if (const Fallible<void> two = postWithMinimum(); !two.ok())
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

Fallible<void> WordTableRows::saveInto(MeaningTable &target, const QString &path)
{
    if (const Fallible<void> two = postWithMinimum(); !two.ok())
        return two;
    MemTable copy = makeWordTable();
    for (int r = 0; r < count(); ++r)
        (void)copy.append(m_table.record(r));
    const MemTable before = target.table;
    target.table = copy;
    const Fallible<void> saved = target.save(path.isEmpty() ? target.fileName : path, m_prompter);
    if (!saved.ok()) {
        // The main window's table is as it was when its file could not be written.
        target.table = before;
        return saved;
    }
    postCount = 0;
    generationEnabled = true;
    return Fallible<void>::success();
}

bool WordTableRows::canClose(const QString &tableFileName)
{
    if (!postPending().ok())
        return false;
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

Fallible<void> WordTableRows::swapColumns()
{
    if (hasPendingChanges() && m_prompter.AskYes(kKeepChanges)) {
        if (const Fallible<void> posted = postPending(); !posted.ok())
            return posted;
    }
    cancelPending();
    swapped = !swapped;
    if (!swapped)
        return Fallible<void>::success();
    for (int r = 0; r < count(); ++r) {
        MemTable::Record rec = m_table.record(r);
        QString meaning = rec[1].toString();
        if (!meaning.contains(QLatin1Char('|')))
            continue;
        (void)m_table.setField(rec, 1, meaning.replace(QLatin1Char('|'), QLatin1String(". ")));
        m_table.replaceAt(r, rec);
        modified = true;
    }
    return Fallible<void>::success();
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
