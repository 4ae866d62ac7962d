#include "editors/FileListRows.h"

#include "files/FileNames.h"
#include "files/Prompter.h"
#include "presentation/SlideRecord.h"

#include <QFileInfo>

#include <algorithm>

namespace {

using Field = MemTable::Field;
using Kind = MemTable::FieldKind;

const QColor kRed(255, 0, 0);
const QColor kAqua(0, 255, 255);
const QColor kMaroon(128, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kFuchsia(255, 0, 255);
const QColor kOlive(128, 128, 0);
const QColor kGrey(128, 128, 128);
const QColor kWhite(255, 255, 255);

QColor kindColor(const QString &letter)
{
    if (letter == QLatin1String("A") || letter == QLatin1String("Q"))
        return kMaroon;
    if (letter == QLatin1String("E") || letter == QLatin1String("O"))
        return kRed;
    if (letter == QLatin1String("I"))
        return kBlue;
    if (letter == QLatin1String("L"))
        return kFuchsia;
    return QColor();
}

} // namespace

SplitRowPath splitRowPath(const QString &path)
{
    SplitRowPath s;
    s.dir = excludeTrailingSeparator(extractFileDir(path));
    const QString file = extractFileName(path);
    s.name = fileNameWithoutExt(file);
    // The extension keeps its letter case: on a file system that tells cases apart, "a.JPG" and
    // "a.jpg" are two files, and the row must name the one that is there. Kinds are told by the
    // lower-case form wherever they are needed.
    s.ext = s.name.size() < file.size() ? file.mid(s.name.size() + 1) : QString();
    return s;
}

QString joinRowPath(const QString &dir, const QString &name, const QString &ext)
{
    if (name.isEmpty() && ext.isEmpty())
        return QString();
    QString path = dir;
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')) && !path.endsWith(QLatin1Char('\\'))) {
        // A list made on another system keeps its own separator.
        const bool backslashes =
            path.contains(QLatin1Char('\\')) && !path.contains(QLatin1Char('/'));
        path += backslashes ? QLatin1Char('\\') : QLatin1Char('/');
    }
    path += name;
    if (!ext.isEmpty())
        path += QLatin1Char('.') + ext;
    return path;
}

std::vector<MemTable::Field> FileListRows::baseFields()
{
    return {
        Field{QStringLiteral("Dir"), Kind::String, 0, false, false},
        Field{QStringLiteral("Name"), Kind::String, 0, false, false},
        Field{QStringLiteral("Ext"), Kind::String, 0, false, false},
        Field{QStringLiteral("Valid"), Kind::Boolean, 0, false, false},
        Field{QStringLiteral("Slide"), Kind::String, 1, false, false},
        Field{QStringLiteral("MarkX"), Kind::SmallInt, 0, false, false},
        Field{QStringLiteral("MarkY"), Kind::SmallInt, 0, false, false},
        Field{QStringLiteral("AudioDir"), Kind::String, 0, false, false},
        Field{QStringLiteral("AudioName"), Kind::String, 0, false, false},
        Field{QStringLiteral("AudioExt"), Kind::String, 0, false, false},
        Field{QStringLiteral("AudioValid"), Kind::Boolean, 0, false, false},
    };
}

FileListRows::FileListRows(std::vector<MemTable::Field> fields, AudioFields audio,
                           Prompter &prompter, QObject *parent)
    : QAbstractTableModel(parent), m_table(QStringLiteral("RMD_FileList"), std::move(fields)),
      m_audio(audio), m_prompter(prompter)
{
    m_shown.assign(m_table.fields().size(), false);
    m_titles.insert(Dir, QStringLiteral("Directori"));
    m_titles.insert(Name, QStringLiteral("Nom"));
    m_titles.insert(Ext, QStringLiteral("Ext"));
    for (int f : {int(Dir), int(Name), int(Ext)})
        m_shown[std::size_t(f)] = true;
    rebuildColumns();
}

QVariant FileListRows::value(int row, int field) const
{
    if (row < 0 || row >= count() || field < 0 || field >= int(m_table.fields().size()))
        return QVariant();
    return m_table.record(row)[std::size_t(field)];
}

int FileListRows::number(int row, int field, int none) const
{
    const QVariant v = value(row, field);
    return v.isNull() ? none : v.toInt();
}

void FileListRows::putValue(int row, int field, const QVariant &v)
{
    if (row < 0 || row >= count())
        return;
    MemTable::Record r = m_table.record(row);
    if (!m_table.setField(r, field, v))
        return;
    if (r == m_table.record(row))
        return;
    if (m_sourceField >= 0 && field != m_sourceField)
        r[std::size_t(m_sourceField)] = QVariant();
    m_table.replaceAt(row, r);
}

void FileListRows::forgetCurrent()
{
    m_current = -1;
    m_table.current = -1;
}

void FileListRows::swapRows(int a, int b)
{
    if (a < 0 || b < 0 || a >= count() || b >= count() || a == b)
        return;
    const MemTable::Record ra = m_table.record(a);
    m_table.replaceAt(a, m_table.record(b));
    m_table.replaceAt(b, ra);
    announceRow(a);
    announceRow(b);
}

void FileListRows::setValue(int row, int field, const QVariant &v)
{
    putValue(row, field, v);
    announceRow(row);
}

void FileListRows::announceRow(int row)
{
    if (row >= 0 && row < count() && !m_columns.empty())
        Q_EMIT dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
}

void FileListRows::announceAll()
{
    beginResetModel();
    endResetModel();
}

QString FileListRows::rowPath(int row) const
{
    const QString k = kindLetter(row);
    if (k == QLatin1String("T") || k == QLatin1String("O"))
        return QString();
    return joinRowPath(text(row, Dir), text(row, Name), text(row, Ext));
}

QString FileListRows::audioPath(int row) const
{
    if (text(row, m_audio.name).isEmpty())
        return QString();
    return joinRowPath(text(row, m_audio.dir), text(row, m_audio.name), text(row, m_audio.ext));
}

void FileListRows::setCurrent(int row)
{
    if (row >= count())
        row = count() - 1;
    if (row == m_current && row >= 0)
        return;
    if (m_current >= 0 && m_current < count())
        PostPendingEdits();
    m_current = row;
    m_table.current = row;
    if (!batch && !loading)
        RefreshRowControls();
    Q_EMIT currentChanged(row);
    Q_EMIT controlsChanged();
}

void FileListRows::refreshCurrent()
{
    if (m_current >= count())
        m_current = count() - 1;
    RefreshRowControls();
    Q_EMIT controlsChanged();
}

int FileListRows::addRecord(const MemTable::Record &record, int before)
{
    if (m_current >= 0 && m_current < count() && !loading)
        PostPendingEdits();
    const int row = before < 0 || before > count() ? count() : before;
    beginInsertRows(QModelIndex(), row, row);
    m_table.insertAt(row, record);
    endInsertRows();
    m_current = row;
    m_table.current = row;
    if (!loading && !batch)
        RefreshRowControls();
    AfterRowPosted(row, true);
    if (!loading && !batch) {
        Q_EMIT currentChanged(row);
        Q_EMIT controlsChanged();
    }
    return row;
}

void FileListRows::postCurrent()
{
    if (m_current < 0 || m_current >= count())
        return;
    StoreRowEdits(m_current);
    AfterRowPosted(m_current, false);
    announceRow(m_current);
}

void FileListRows::deleteRows(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        const int r = *it;
        if (r < 0 || r >= count())
            continue;
        beginRemoveRows(QModelIndex(), r, r);
        m_table.removeAt(r);
        endRemoveRows();
        modified = true;
        // The row that is current afterwards: the one that followed, or the new last one.
        const int after = r < count() ? r : count() - 1;
        AfterRowDeleted(after);
    }
    m_current =
        count() == 0 ? -1 : std::clamp(rows.empty() ? m_current : rows.front(), 0, count() - 1);
    m_table.current = m_current;
    if (!batch) {
        RefreshRowControls();
        Q_EMIT currentChanged(m_current);
        Q_EMIT controlsChanged();
    }
}

bool FileListRows::clearAll()
{
    if (count() >= 2 &&
        !m_prompter.AskYes(QStringLiteral("Voleu esborrar tots els %1 registres?").arg(count())))
        return false;
    beginResetModel();
    m_table.clear();
    endResetModel();
    m_current = -1;
    postCount = 0;
    modified = true;
    RefreshRowControls();
    Q_EMIT currentChanged(-1);
    Q_EMIT controlsChanged();
    return true;
}

int FileListRows::deleteNotFound()
{
    std::vector<int> rows;
    for (int r = 0; r < count(); ++r)
        if (!flag(r, Valid))
            rows.push_back(r);
    if (!rows.empty())
        deleteRows(rows);
    return int(rows.size());
}

QString FileListRows::changeFile(int row, const QString &path)
{
    if (row < 0 || row >= count())
        return QString();
    if (kindLetter(row) == QLatin1String("O")) {
        const QString e =
            QStringLiteral("No es pot assignar, a una diapositiva d'obrir un arxiu, un programa a "
                           "executar");
        m_prompter.ShowError(e);
        return e;
    }
    const SlideFileClass c = ClassifySlideFile(path);
    if (c.state != fsOk)
        return QString();
    const SplitRowPath s = splitRowPath(path);
    putValue(row, Dir, s.dir);
    putValue(row, Name, s.name);
    putValue(row, Ext, s.ext);
    putValue(row, Slide, SlideKindLetter(c.kind));
    putValue(row, MarkX, -1);
    putValue(row, MarkY, -1);
    if (c.kind == skPresentation || c.kind == skProgram)
        ClearQuestionFields(row);
    putValue(row, Valid, true);
    AfterRowPosted(row, false);
    announceRow(row);
    if (row == m_current)
        refreshCurrent();
    return QString();
}

QString FileListRows::changeAudio(int row, const QString &path)
{
    if (row < 0 || row >= count())
        return QString();
    const QString k = kindLetter(row);
    if (k == QLatin1String("A") || k == QLatin1String("L") || k == QLatin1String("E") ||
        k == QLatin1String("O")) {
        const QString e =
            QStringLiteral("Aquest tipus de diapositiva no pot tenir un arxiu de so associat");
        m_prompter.ShowError(e);
        return e;
    }
    const SplitRowPath s = splitRowPath(path);
    putValue(row, m_audio.dir, s.dir);
    putValue(row, m_audio.name, s.name);
    putValue(row, m_audio.ext, s.ext);
    putValue(row, m_audio.valid, true);
    AfterRowPosted(row, false);
    announceRow(row);
    if (row == m_current)
        refreshCurrent();
    return QString();
}

void FileListRows::clearAudio(int row)
{
    if (row < 0 || row >= count() || text(row, m_audio.name).isEmpty())
        return;
    putValue(row, m_audio.dir, QVariant());
    putValue(row, m_audio.name, QVariant());
    putValue(row, m_audio.ext, QVariant());
    putValue(row, m_audio.valid, true);
    ResetAudioOptions();
    if (row == m_current)
        StoreRowEdits(row);
    AfterRowPosted(row, false);
    announceRow(row);
    if (row == m_current)
        refreshCurrent();
}

void FileListRows::setMark(int row, int x, int y)
{
    if (row < 0 || row >= count())
        return;
    putValue(row, MarkX, x);
    putValue(row, MarkY, y);
    AfterRowPosted(row, false);
    announceRow(row);
    if (row == m_current)
        refreshCurrent();
}

void FileListRows::changeDirectory(const std::vector<int> &rows, const QString &folder)
{
    const QString dir = excludeTrailingSeparator(folder);
    for (int r : rows) {
        if (r < 0 || r >= count())
            continue;
        bool changed = false;
        if (!text(r, Name).isEmpty() && !rowPath(r).isEmpty()) {
            putValue(r, Dir, dir);
            putValue(r, Valid, ClassifySlideFile(rowPath(r)).state == fsOk);
            changed = true;
        }
        if (!text(r, m_audio.name).isEmpty()) {
            putValue(r, m_audio.dir, dir);
            putValue(r, m_audio.valid, ClassifyAudioFile(audioPath(r)) == fsOk);
            changed = true;
        }
        if (changed) {
            modified = true;
            AfterRowPosted(r, false);
        }
    }
    announceAll();
    refreshCurrent();
}

void FileListRows::redirect(const QHash<QString, QString> &sourceToDestination)
{
    for (int r = 0; r < count(); ++r) {
        bool changed = false;
        if (const auto it = sourceToDestination.constFind(text(r, Dir));
            it != sourceToDestination.cend() && !rowPath(r).isEmpty()) {
            putValue(r, Dir, excludeTrailingSeparator(*it));
            changed = true;
        }
        if (const auto it = sourceToDestination.constFind(text(r, m_audio.dir));
            it != sourceToDestination.cend() && !text(r, m_audio.name).isEmpty()) {
            putValue(r, m_audio.dir, excludeTrailingSeparator(*it));
            changed = true;
        }
        if (changed) {
            modified = true;
            AfterRowPosted(r, false);
        }
    }
    announceAll();
    refreshCurrent();
}

QStringList FileListRows::transferFiles() const
{
    QStringList files;
    for (int r = 0; r < count(); ++r) {
        const QString p = rowPath(r);
        if (!p.isEmpty() && QFileInfo(p).isFile() && !files.contains(p))
            files << p;
        const QString a = audioPath(r);
        if (!a.isEmpty() && QFileInfo(a).isFile() && !files.contains(a))
            files << a;
    }
    return files;
}

bool FileListRows::anyValidFile() const
{
    for (int r = 0; r < count(); ++r) {
        const QString p = rowPath(r);
        if (!p.isEmpty() && QFileInfo(p).isFile())
            return true;
    }
    return false;
}

bool FileListRows::canClose(bool closedWithOk)
{
    if (m_current >= 0 && m_current < count())
        PostPendingEdits();
    if (closedWithOk || postCount < 3)
        return true;
    return m_prompter.AskYes(
        QStringLiteral("Segur que voleu abandonar les modificacions de la taula?"));
}

FileListRows::CellColors FileListRows::cellColors(int row, int column, bool selected) const
{
    CellColors c;
    const int field = columnField(column);
    if (row < 0 || row >= count() || field < 0)
        return c;
    if (selected) {
        if (IsRowDefective(row)) {
            c.text = kRed;
            c.background = kAqua;
        } else {
            c.text = kWhite; // on the grid's highlight colour
        }
        return c;
    }
    if (IsRowSound(row)) {
        c.text = kindColor(kindLetter(row));
    } else if (IsRowHidden(row)) {
        c.text = kOlive;
    } else {
        if (field <= Ext && !flag(row, Valid))
            c.text = kGrey;
        if ((field == m_audio.dir || field == m_audio.name || field == m_audio.ext) &&
            !flag(row, m_audio.valid))
            c.text = kGrey;
    }
    if (AdjustCellFont(row, field))
        c.text = kGrey;
    return c;
}

void FileListRows::setColumnTitle(int field, const QString &title)
{
    m_titles.insert(field, title);
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void FileListRows::setColumnShown(int field, bool shown)
{
    if (field < 0 || field >= int(m_shown.size()) || m_shown[std::size_t(field)] == shown)
        return;
    beginResetModel();
    m_shown[std::size_t(field)] = shown;
    rebuildColumns();
    endResetModel();
}

bool FileListRows::columnShown(int field) const
{
    return field >= 0 && field < int(m_shown.size()) && m_shown[std::size_t(field)];
}

void FileListRows::setColumnOrder(std::vector<int> leading)
{
    beginResetModel();
    m_leading = std::move(leading);
    rebuildColumns();
    endResetModel();
}

void FileListRows::rebuildColumns()
{
    m_columns.clear();
    for (int f : m_leading)
        if (f >= 0 && f < int(m_shown.size()) && m_shown[std::size_t(f)])
            m_columns.push_back(f);
    for (std::size_t f = 0; f < m_shown.size(); ++f)
        if (m_shown[f] && std::find(m_leading.begin(), m_leading.end(), int(f)) == m_leading.end())
            m_columns.push_back(int(f));
}

int FileListRows::columnField(int column) const
{
    return column >= 0 && column < int(m_columns.size()) ? m_columns[std::size_t(column)] : -1;
}

int FileListRows::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int FileListRows::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant FileListRows::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int field = columnField(index.column());
    if (field < 0)
        return QVariant();
    if (role == Qt::ForegroundRole) {
        const QColor c = cellColors(index.row(), index.column(), false).text;
        return c.isValid() ? QVariant(c) : QVariant();
    }
    if (role == Qt::UserRole)
        return field;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QVariant();
    const QVariant v = value(index.row(), field);
    if (v.isNull())
        return QVariant();
    if (m_table.fields()[std::size_t(field)].kind == MemTable::FieldKind::Boolean)
        return v.toBool() ? QStringLiteral("Sí") : QStringLiteral("No");
    if (field == Ext || field == m_audio.ext)
        return v.toString().toLower();
    return v;
}

QVariant FileListRows::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return section + 1;
    const int field = columnField(section);
    if (field < 0)
        return QVariant();
    return m_titles.value(field, m_table.fields()[std::size_t(field)].name);
}
