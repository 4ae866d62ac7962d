#include "files/FileListModel.h"

#include "files/FileNames.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QThread>

#include <algorithm>
#include <numeric>

// One reading on the listing thread. The thread owns nothing but this; the model reads the
// result only after the thread has finished.
struct FileListModel::Job
{
    std::atomic<bool> cancel{false};
    QString folder;
    FileListSettings settings;
    FileListSortOrder order;
    quint64 generation = 0;
    std::vector<FileListItem> result;
};

namespace {

QString itemKey(const FileListItem &item)
{
    return (item.isParent ? QStringLiteral("..") : item.texts[5]) + QLatin1Char('|') + item.path();
}

} // namespace

FileListModel::FileListModel(QObject *parent)
    : QAbstractTableModel(parent), m_directory(driveListText())
{
    m_changeTimer.setSingleShot(true);
    m_changeTimer.setInterval(150);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            [this] { m_changeTimer.start(); });
    connect(&m_changeTimer, &QTimer::timeout, this, [this] {
        if (m_active && !isDriveList())
            startReading(Apply::Merge);
    });
}

FileListModel::~FileListModel()
{
    stopWorkers();
}

void FileListModel::stopWorkers()
{
    for (auto &[thread, job] : m_workers) {
        job->cancel = true;
        disconnect(thread, nullptr, this, nullptr);
        thread->wait();
        delete thread;
    }
    m_workers.clear();
    m_reading = false;
}

int FileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int FileListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : fileListColumnCount;
}

const FileListItem *FileListModel::item(int row) const
{
    if (row < 0 || row >= int(m_items.size()))
        return nullptr;
    return &m_items[std::size_t(row)];
}

int FileListModel::rowOfPath(const QString &path) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (!m_items[i].isParent && m_items[i].path() == path)
            return int(i);
    return -1;
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    const FileListItem *it = item(index.row());
    if (!it || index.column() < 0 || index.column() >= fileListColumnCount)
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole: return column == 0 ? it->caption : it->texts[std::size_t(column - 1)];
    case Qt::EditRole: return column == 0 ? it->caption : QVariant();
    case Qt::DecorationRole:
        if (column == 0 && iconFor)
            return iconFor(*it);
        return {};
    case Qt::TextAlignmentRole: {
        const bool right = column == int(FileListColumn::Size) ||
                           (isDriveList() && column == int(FileListColumn::Modified));
        return QVariant::fromValue(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
    }
    case Qt::ToolTipRole: return it->path();
    default: return {};
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole) {
        const bool right = section == int(FileListColumn::Size) ||
                           (isDriveList() && section == int(FileListColumn::Modified));
        return QVariant::fromValue(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != Qt::DisplayRole)
        return {};
    if (isDriveList()) {
        static const char *const drive[] = {"Nom", "Tipus", "Mida disc", "Espai lliure",
                                            "Atributs"};
        return section >= 0 && section < 5 ? QString::fromUtf8(drive[section]) : QVariant();
    }
    switch (FileListColumn(section)) {
    case FileListColumn::Name: return QStringLiteral("Nom");
    case FileListColumn::Type:
        return m_settings.display.typeName ? QStringLiteral("Tipus") : QStringLiteral("Ext");
    case FileListColumn::Size:
        return m_settings.display.sizeInKbytes ? QStringLiteral("Mida(Kb)")
                                               : QStringLiteral("Mida");
    case FileListColumn::Modified: return QStringLiteral("Modificat");
    case FileListColumn::Attributes: return QStringLiteral("Atrib.");
    }
    return {};
}

Qt::ItemFlags FileListModel::flags(const QModelIndex &index) const
{
    const FileListItem *it = item(index.row());
    if (!it)
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == 0 && !m_readOnly && !it->isParent && it->kind != FileItemKind::Drive)
        f |= Qt::ItemIsEditable;
    return f;
}

bool FileListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || index.column() != 0 || !item(index.row()))
        return false;
    Q_EMIT captionEdited(item(index.row())->path(), value.toString());
    return false;
}

bool FileListModel::setDirectory(const QString &folder)
{
    QString target;
    if (isDriveListText(folder)) {
        target = driveListText();
    } else {
        const QFileInfo info(folder);
        if (folder.isEmpty() || !info.isDir())
            return false;
        target = includeTrailingSeparator(QDir::cleanPath(info.absoluteFilePath()));
    }
    if (target.compare(m_directory, Qt::CaseInsensitive) == 0)
        return false;
    const bool layoutChanges = isDriveListText(target) != isDriveList();
    m_directory = target;
    if (layoutChanges)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, fileListColumnCount - 1);
    watchDirectory();
    Reread();
    Q_EMIT OnChangeDirectory();
    return true;
}

void FileListModel::watchDirectory()
{
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    if (m_active && !isDriveList())
        m_watcher.addPath(m_directory);
}

void FileListModel::setActive(bool on)
{
    if (on == m_active)
        return;
    m_active = on;
    watchDirectory();
    if (on)
        Reread();
}

void FileListModel::setSettings(const FileListSettings &settings)
{
    if (settings == m_settings)
        return;
    const bool headers = settings.display.typeName != m_settings.display.typeName ||
                         settings.display.sizeInKbytes != m_settings.display.sizeInKbytes;
    m_settings = settings;
    if (headers)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, fileListColumnCount - 1);
    Reread();
}

void FileListModel::setOtherSortDir(bool on)
{
    if (on == m_order.otherSortDir)
        return;
    m_order.otherSortDir = on;
    resort();
}

void FileListModel::clickColumn(int column)
{
    if (isDriveList() || column < 0 || column >= fileListColumnCount)
        return;
    m_order = clickedSortOrder(m_order, FileListColumn(column));
    resort();
}

void FileListModel::resort()
{
    if (isDriveList() || m_items.empty())
        return;
    Q_EMIT layoutAboutToBeChanged();
    std::vector<int> order(m_items.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        return compareFileItems(m_items[std::size_t(a)], m_items[std::size_t(b)], m_order) < 0;
    });
    std::vector<FileListItem> sorted;
    sorted.reserve(m_items.size());
    std::vector<int> newRow(m_items.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        sorted.push_back(std::move(m_items[std::size_t(order[k])]));
        newRow[std::size_t(order[k])] = int(k);
    }
    m_items = std::move(sorted);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &i : from)
        to.append(index(newRow[std::size_t(i.row())], i.column()));
    changePersistentIndexList(from, to);
    Q_EMIT layoutChanged();
}

void FileListModel::Reread()
{
    if (!m_active)
        return;
    if (isDriveList()) {
        ++m_generation;
        stopWorkers();
        apply(driveListItems(volumeSource ? volumeSource() : std::vector<VolumeEntry>{}),
              Apply::Replace, m_directory);
        return;
    }
    startReading(Apply::Replace);
}

void FileListModel::startReading(Apply how)
{
    auto job = std::make_shared<Job>();
    job->folder = m_directory;
    job->settings = m_settings;
    job->order = m_order;
    job->generation = ++m_generation;
    for (auto &worker : m_workers)
        worker.second->cancel = true; // their results are stale now

    if (!m_async) {
        job->result = readFolderItems(job->folder, job->settings);
        sortFileItems(job->result, job->order);
        apply(std::move(job->result), how, job->folder);
        return;
    }

    // A different folder empties the list at once; the same folder keeps its rows until the new
    // listing replaces them.
    if (m_shownFolder != m_directory && !m_items.empty()) {
        beginResetModel();
        m_items.clear();
        endResetModel();
    }
    m_reading = true;
    QThread *thread = QThread::create([job] {
        job->result = readFolderItems(job->folder, job->settings, &job->cancel);
        if (!job->cancel)
            sortFileItems(job->result, job->order);
    });
    connect(thread, &QThread::finished, this, [this, thread, job, how] {
        thread->wait();
        auto found = std::find_if(m_workers.begin(), m_workers.end(),
                                  [thread](const auto &w) { return w.first == thread; });
        if (found != m_workers.end())
            m_workers.erase(found);
        thread->deleteLater();
        m_reading = !m_workers.empty();
        if (job->generation != m_generation || job->cancel)
            return;
        // A sort order changed while reading applies to the result too.
        if (!(job->order.column == m_order.column && job->order.toggled == m_order.toggled &&
              job->order.otherSortDir == m_order.otherSortDir))
            sortFileItems(job->result, m_order);
        apply(std::move(job->result), how, job->folder);
    });
    m_workers.emplace_back(thread, job);
    thread->start();
}

void FileListModel::apply(std::vector<FileListItem> items, Apply how, const QString &folder)
{
    m_shownFolder = folder;
    if (how == Apply::Merge && !m_items.empty()) {
        mergeIn(std::move(items));
    } else {
        beginResetModel();
        m_items = std::move(items);
        endResetModel();
    }
    Q_EMIT listingFinished();
}

void FileListModel::mergeIn(std::vector<FileListItem> fresh)
{
    QHash<QString, std::size_t> freshRows;
    for (std::size_t i = 0; i < fresh.size(); ++i)
        freshRows.insert(itemKey(fresh[i]), i);

    for (int row = int(m_items.size()) - 1; row >= 0; --row) {
        if (freshRows.contains(itemKey(m_items[std::size_t(row)])))
            continue;
        beginRemoveRows(QModelIndex(), row, row);
        m_items.erase(m_items.begin() + row);
        endRemoveRows();
    }
    QHash<QString, std::size_t> shownRows;
    for (std::size_t i = 0; i < m_items.size(); ++i)
        shownRows.insert(itemKey(m_items[i]), i);
    std::vector<FileListItem> added;
    for (FileListItem &f : fresh) {
        const auto shown = shownRows.constFind(itemKey(f));
        if (shown == shownRows.constEnd()) {
            added.push_back(std::move(f));
            continue;
        }
        FileListItem &current = m_items[*shown];
        if (current.texts != f.texts || current.caption != f.caption) {
            current = std::move(f);
            const int row = int(*shown);
            Q_EMIT dataChanged(index(row, 0), index(row, fileListColumnCount - 1));
        }
    }
    if (!added.empty()) {
        const int first = int(m_items.size());
        beginInsertRows(QModelIndex(), first, first + int(added.size()) - 1);
        for (FileListItem &a : added)
            m_items.push_back(std::move(a));
        endInsertRows();
    }
    resort();
}
