#include "files/FileListReading.h"

#include "files/FileMask.h"
#include "files/FileNames.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMimeDatabase>

#include <algorithm>

namespace {

bool attributePasses(TPropertyPresent test, bool set)
{
    switch (test) {
    case TPropertyPresent::ppIgnore: return true;
    case TPropertyPresent::ppYes: return set;
    case TPropertyPresent::ppNo: return !set;
    }
    return true;
}

int compareCaseless(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive);
}

int compareNames(const FileListItem &a, const FileListItem &b)
{
    if (!a.sortName.isEmpty() && !b.sortName.isEmpty())
        return a.sortName.compare(b.sortName);
    return a.caption.toUpper().compare(b.caption.toUpper());
}

template <typename T> int threeWay(const T &a, const T &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int compareByColumn(const FileListItem &a, const FileListItem &b, FileListColumn column)
{
    switch (column) {
    case FileListColumn::Name: return compareNames(a, b);
    case FileListColumn::Size: return threeWay(a.texts[6].toLongLong(), b.texts[6].toLongLong());
    case FileListColumn::Modified: {
        // Times within 1/100000 of a day (864 ms) of each other are the same time.
        if (!a.modified.isValid() || !b.modified.isValid())
            return threeWay(a.modified.isValid(), b.modified.isValid());
        const qint64 ms = a.modified.msecsTo(b.modified);
        return ms > 864 ? -1 : (ms < -864 ? 1 : 0);
    }
    case FileListColumn::Type: return compareCaseless(a.texts[0], b.texts[0]);
    case FileListColumn::Attributes: return compareCaseless(a.texts[3], b.texts[3]);
    }
    return 0;
}

} // namespace

bool FileListFilter::passes(const FileAttributes &attributes, qint64 sizeBytes,
                            const QDateTime &modified) const
{
    if (!attributePasses(ftArchive, attributes.archive) ||
        !attributePasses(ftHidden, attributes.hidden) ||
        !attributePasses(ftReadOnly, attributes.readOnly) ||
        !attributePasses(ftSystem, attributes.system))
        return false;
    if ((SizeMin != -1 && sizeBytes < SizeMin) || (SizeMax != -1 && sizeBytes > SizeMax))
        return false;
    if (DateMin.isValid() && modified.isValid() && modified < DateMin)
        return false;
    if (DateMax.isValid() && modified.isValid() && modified > DateMax)
        return false;
    return true;
}

std::vector<FileListItem> readFolderItems(const QString &folder, const FileListSettings &settings,
                                          const std::atomic<bool> *cancel)
{
    std::vector<FileListItem> items;
    const QDir dir(folder);
    if (!dir.exists() || !dir.isReadable())
        return items;

    const FileMask mask(settings.Mask);
    const FileMask excluded(settings.MaskExc);
    const QMimeDatabase mime;
    const DateTimePatterns patterns = dateTimePatterns(settings.display);
    const QString root = QDir::rootPath();
    const QString clean = QDir::cleanPath(dir.absolutePath());
    if (settings.ShowFolders && clean != root)
        items.push_back(makeParentItem(clean));

    // One pass over the folder serves the folder pass and every file pattern: a file is listed
    // once even when several patterns take it.
    QDirIterator it(clean, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    int checked = 0;
    while (it.hasNext()) {
        if (cancel && (++checked & 255) == 0 && cancel->load(std::memory_order_relaxed))
            return {};
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString name = info.fileName();
        if (info.isDir()) {
            if (!settings.ShowFolders)
                continue;
            if (name.startsWith(QLatin1Char('.')) && !settings.ShowHideFolders)
                continue;
            items.push_back(makeFileItem(info, settings.display, mime, patterns));
            continue;
        }
        if (!mask.matches(name) || excluded.matches(name))
            continue;
        const FileAttributes attributes = fileAttributes(info);
        const qint64 size = info.exists() ? info.size() : 0;
        if (!settings.filter.passes(attributes, size,
                                    info.exists() ? info.lastModified() : QDateTime()))
            continue;
        items.push_back(makeFileItem(info, settings.display, mime, patterns));
    }
    return items;
}

std::vector<FileListItem> driveListItems(const std::vector<VolumeEntry> &volumes)
{
    std::vector<FileListItem> items;
    items.reserve(volumes.size());
    for (const VolumeEntry &v : volumes)
        items.push_back(makeDriveItem(v));
    return items;
}

int compareFileItems(const FileListItem &a, const FileListItem &b, const FileListSortOrder &order)
{
    // The parent entry goes first in either direction.
    if (a.isParent != b.isParent)
        return a.isParent ? -1 : 1;
    const bool aFolder = a.kind != FileItemKind::File;
    const bool bFolder = b.kind != FileItemKind::File;
    if (!order.otherSortDir) {
        if (aFolder && bFolder)
            return compareNames(a, b);
        if (aFolder != bFolder)
            return aFolder ? -1 : 1;
    }
    int result = 0;
    if (aFolder != bFolder)
        result = aFolder ? -1 : 1;
    else
        result = compareByColumn(a, b, order.column);
    return order.toggled ? -result : result;
}

void sortFileItems(std::vector<FileListItem> &items, const FileListSortOrder &order)
{
    if (!items.empty() && items.front().kind == FileItemKind::Drive)
        return;
    std::stable_sort(items.begin(), items.end(),
                     [&order](const FileListItem &a, const FileListItem &b) {
                         return compareFileItems(a, b, order) < 0;
                     });
}

FileListSortOrder clickedSortOrder(FileListSortOrder current, FileListColumn clicked)
{
    if (current.column == clicked) {
        current.toggled = !current.toggled;
    } else {
        current.column = clicked;
        current.toggled = true;
    }
    return current;
}
