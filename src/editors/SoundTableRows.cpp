#include "editors/SoundTableRows.h"

#include "config/ProgramOptions.h"
#include "editors/QuizGeneration.h"
#include "files/FileNames.h"
#include "files/Prompter.h"
#include "presentation/PresentationCheck.h"
#include "presentation/SlideRecord.h"
#include "tables/MeaningTables.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <functional>
#include <numeric>

namespace {

using Kind = MemTable::FieldKind;

std::vector<MemTable::Field> soundFields()
{
    std::vector<MemTable::Field> f = FileListRows::baseFields();
    f.push_back(MemTable::Field{QStringLiteral("Meaning"), Kind::String,
                                SoundTableRows::kMeaningWidth, false, false});
    return f;
}

QString upperFirst(const QString &text)
{
    return text.isEmpty() ? text : text.left(1).toUpper() + text.mid(1);
}

int compareNoCase(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive);
}

} // namespace

SoundTableRows::SoundTableRows(Prompter &prompter, const ProgramOptions &options, QObject *parent)
    : FileListRows(soundFields(), AudioFields{}, prompter, parent), m_options(options)
{
    setColumnTitle(Meaning, QStringLiteral("Significat"));
    setColumnTitle(audioFields().dir, QStringLiteral("Directori audio"));
    setColumnTitle(audioFields().name, QStringLiteral("Nom audio"));
    setColumnTitle(audioFields().ext, QStringLiteral("Ex.a"));
    for (int f : {Meaning, audioFields().dir, audioFields().name, audioFields().ext})
        setColumnShown(f, true);
    setColumnOrder(
        {Meaning, Dir, Name, Ext, audioFields().dir, audioFields().name, audioFields().ext});
}

MemTable::Record SoundTableRows::newRow() const
{
    MemTable::Record r = table().emptyRecord();
    (void)table().setField(r, MarkX, -1);
    (void)table().setField(r, MarkY, -1);
    (void)table().setField(r, Valid, true);
    (void)table().setField(r, audioFields().valid, true);
    return r;
}

void SoundTableRows::loadFrom(const MeaningTable &source)
{
    loading = true;
    forgetCurrent();
    beginResetModel();
    table().clear();
    const MemTable &t = source.table;
    for (int i = 0; i < t.recordCount(); ++i) {
        const MemTable::Record &in = t.record(i);
        MemTable::Record r = newRow();
        auto set = [&](int f, const QVariant &v) { (void)table().setField(r, f, v); };
        const QString file = in[0].toString();
        if (file.isEmpty()) {
            set(Slide, QStringLiteral("T"));
        } else {
            const SlideFileClass c = ClassifySlideFile(file);
            const SplitRowPath p = splitRowPath(file);
            set(Dir, p.dir);
            set(Name, p.name);
            set(Ext, p.ext);
            set(Slide, SlideKindLetter(c.kind));
            set(Valid, c.state == fsOk);
        }
        set(MarkX, in[1].isNull() ? 0 : in[1].toInt());
        set(MarkY, in[2].isNull() ? 0 : in[2].toInt());
        const QString audio = in[3].toString();
        if (!audio.isEmpty()) {
            const SplitRowPath a = splitRowPath(audio);
            set(audioFields().dir, a.dir);
            set(audioFields().name, a.name);
            set(audioFields().ext, a.ext);
            set(audioFields().valid, ClassifyAudioFile(audio) == fsOk);
        }
        set(Meaning, in[4]);
        (void)table().append(r);
    }
    endResetModel();
    loading = false;
    modified = false;
    postCount = 0;
    table().modified = false;
    tableFileName = source.fileName;
    generationAllowed = source.hasFile();
    setCurrent(count() - 1);
    refreshCurrent();
}

SoundTableRows::OpeningMode SoundTableRows::openingMode() const
{
    const int last = count() - 1;
    if (last < 0)
        return OpeningMode::AsBefore;
    if (kindLetter(last) == QLatin1String("T"))
        return OpeningMode::Audio;
    if (ClassifySlideFile(rowPath(last)).state == fsOk)
        return OpeningMode::Files;
    return OpeningMode::AsBefore;
}

bool SoundTableRows::addFiles(const QStringList &files, bool audioList, bool insert)
{
    PostPendingEdits();
    if (files.isEmpty())
        return false;
    int before = insert && current() >= 0 ? current() : -1;
    batch = true;
    for (const QString &file : files) {
        MemTable::Record r = newRow();
        auto set = [&](int f, const QVariant &v) { (void)table().setField(r, f, v); };
        const SplitRowPath p = splitRowPath(file);
        if (audioList) {
            set(Slide, QStringLiteral("T"));
            set(audioFields().dir, p.dir);
            set(audioFields().name, p.name);
            set(audioFields().ext, p.ext);
        } else {
            const auto kind = SlideKindForExtension(file);
            set(Dir, p.dir);
            set(Name, p.name);
            set(Ext, p.ext);
            set(Slide, SlideKindLetter(kind ? *kind : skImage));
        }
        if (m_options.EdiSMLCopyAutomaticFN)
            set(Meaning, tidyMeaning(QFileInfo(file).completeBaseName()));
        const int row = addRecord(r, before);
        if (before >= 0)
            before = row + 1;
    }
    batch = false;
    refreshCurrent();
    announceCurrent();
    return files.size() == 1 && !m_options.EdiSMLCopyAutomaticFN;
}

void SoundTableRows::setMeaningText(const QString &text)
{
    if (current() < 0)
        return;
    controls.meaning = text;
    controls.meaningModified = true;
}

MemTable::Record SoundTableRows::tableRecord(int row) const
{
    MemTable::Record r(5);
    const QString file = rowPath(row);
    const QString audio = audioPath(row);
    r[0] = file.isEmpty() ? QVariant() : QVariant(file);
    r[1] = number(row, MarkX);
    r[2] = number(row, MarkY);
    r[3] = audio.isEmpty() ? QVariant() : QVariant(audio);
    const QString meaning = text(row, Meaning);
    r[4] = meaning.isEmpty() ? QVariant() : QVariant(meaning);
    return r;
}

Fallible<void> SoundTableRows::requireTwoRows()
{
    PostPendingEdits();
    if (count() < 2) {
        const QString e = QStringLiteral("La taula ha de tenir almenys 2 registres");
        prompter().ShowError(e);
        return Fallible<void>::failure(e);
    }
    return Fallible<void>::success();
}

Fallible<void> SoundTableRows::saveInto(MeaningTable &target)
{
    if (const Fallible<void> two = requireTwoRows(); !two.ok())
        return two;
    MemTable copy = makeSoundTable();
    for (int r = 0; r < count(); ++r) {
        const MemTable::Record rec = tableRecord(r);
        MemTable::Record out = copy.emptyRecord();
        for (int f = 0; f < 5; ++f)
            (void)copy.setField(out, f, rec[std::size_t(f)]);
        // A row without a meaning would make a file that cannot be read back.
        if (copy.append(out)) {
            const QString e =
                QStringLiteral("La fila %1 no té el significat/títol definit").arg(r + 1);
            prompter().ShowError(e);
            return Fallible<void>::failure(e);
        }
    }
    MemTable before = target.table;
    target.table = copy;
    const Fallible<void> saved = target.save(target.fileName, prompter());
    if (!saved.ok()) {
        // Not written: the main window's table keeps what it held.
        target.table = before;
        return saved;
    }
    postCount = 0;
    tableFileName = target.fileName;
    generationAllowed = true;
    return Fallible<void>::success();
}

void SoundTableRows::sortRows(const std::function<bool(int, int)> &less)
{
    PostPendingEdits();
    if (count() < 2)
        return;
    std::vector<int> order(static_cast<std::size_t>(count()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), less);
    std::vector<MemTable::Record> records;
    records.reserve(order.size());
    for (int r : order)
        records.push_back(record(r));
    const int keep = current();
    beginResetModel();
    for (int r = 0; r < count(); ++r)
        table().replaceAt(r, records[std::size_t(r)]);
    endResetModel();
    // The order is a change to the table.
    modified = true;
    ++postCount;
    generationAllowed = false;
    forgetCurrent();
    setCurrent(keep);
}

void SoundTableRows::sortByMeaning()
{
    sortRows(
        [this](int a, int b) { return compareNoCase(text(a, Meaning), text(b, Meaning)) < 0; });
}

namespace {

// The three parts of a path in the order a sort option gives.
std::array<int, 3> sortParts(int order)
{
    switch (order) {
    case 1: return {0, 1, 2};  // folder, name, extension
    case 2: return {0, 2, 1};  // folder, extension, name
    case 3: return {2, 1, 0};  // extension, name, folder
    default: return {1, 2, 0}; // name, extension, folder
    }
}

} // namespace

void SoundTableRows::sortByPath(int order, const std::array<int, 3> &dirNameExt)
{
    const std::array<int, 3> parts = sortParts(order);
    sortRows([this, parts, dirNameExt](int a, int b) {
        for (int p : parts) {
            const int f = dirNameExt[std::size_t(p)];
            const int c = compareNoCase(text(a, f), text(b, f));
            if (c != 0)
                return c < 0;
        }
        return false;
    });
}

void SoundTableRows::sortByFile(int order)
{
    sortByPath(order, {Dir, Name, Ext});
}

void SoundTableRows::sortByAudio(int order)
{
    sortByPath(order, {audioFields().dir, audioFields().name, audioFields().ext});
}

QString SoundTableRows::meaningsText() const
{
    QString out;
    for (int r = 0; r < count(); ++r)
        out += text(r, Meaning) + QStringLiteral("\r\n");
    return out;
}

QStringList SoundTableRows::checkList()
{
    PostPendingEdits();
    MemTable t = makeSoundTable();
    for (int r = 0; r < count(); ++r) {
        // The validity marks follow the files as they are now.
        const QString file = rowPath(r);
        putValue(r, Valid, file.isEmpty() || ClassifySlideFile(file).state == fsOk);
        putValue(r, audioFields().valid, ClassifyAudioFile(audioPath(r)) == fsOk);
        const MemTable::Record rec = tableRecord(r);
        MemTable::Record out = t.emptyRecord();
        for (int f = 0; f < 5; ++f)
            out[std::size_t(f)] = rec[std::size_t(f)];
        t.insertAt(t.recordCount(), out);
    }
    announceAll();
    refreshCurrent();
    return CheckSoundTableRows(t);
}

QString SoundTableRows::checkSummary() const
{
    return SoundTableSummary();
}

bool SoundTableRows::canClose(bool closedWithOk)
{
    PostPendingEdits();
    if (closedWithOk || !modified)
        return true;
    if (postCount == 0) {
        const QString sal = changeFileExt(tableFileName, QStringLiteral(".sal"));
        if (!tableFileName.isEmpty() && QFileInfo::exists(sal))
            return prompter().AskYes(
                QStringLiteral("Heu desat la taula però no he creat de nou l'arxiu sal existent,"
                               "\r\nsegur que voleu abandonar?"));
        return true;
    }
    if (postCount < 3)
        return true;
    return prompter().AskYes(
        QStringLiteral("Segur que voleu abandonar les modificacions de la taula?"));
}

bool SoundTableRows::CanAccept()
{
    if (count() == 0) {
        prompter().ShowError(QStringLiteral("No hi ha cap registre"));
        return false;
    }
    return true;
}

void SoundTableRows::PostPendingEdits()
{
    const int row = current();
    if (row >= 0 && row < count() && controls.meaningModified)
        postCurrent();
}

void SoundTableRows::AfterRowDeleted(int rowAfter)
{
    (void)rowAfter;
    if (loading)
        return;
    generationAllowed = false;
}

void SoundTableRows::AfterRowPosted(int row, bool inserted)
{
    (void)row;
    (void)inserted;
    if (loading)
        return;
    modified = true;
    ++postCount;
    generationAllowed = false;
}

void SoundTableRows::RefreshRowControls()
{
    const int row = current();
    controls = Controls();
    if (row < 0 || row >= count())
        return;
    controls.rowPresent = true;
    controls.meaning = text(row, Meaning);
}

void SoundTableRows::StoreRowEdits(int row)
{
    if (!controls.meaningModified)
        return;
    putValue(row, Meaning, tidyMeaning(controls.meaning));
    controls.meaningModified = false;
    controls.meaning = text(row, Meaning);
}

QString SoundTableRows::tidyMeaning(const QString &meaning) const
{
    if (!m_options.SWmlFieldsUpCase1stChar)
        return meaning;
    return upperFirst(m_options.OnBPostEdit_TrimSpaces ? meaning.trimmed() : meaning);
}

bool SoundTableRows::IsRowDefective(int row) const
{
    return !flag(row, Valid);
}

bool SoundTableRows::IsRowSound(int row) const
{
    return flag(row, Valid) && flag(row, audioFields().valid);
}
