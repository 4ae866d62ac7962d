#pragma once

#include "files/FileListItem.h"

#include <QDateTime>
#include <QString>

#include <atomic>
#include <vector>

// Which files a list shows besides its mask: attribute, date and size filters.
struct FileListFilter
{
    TPropertyPresent ftArchive = TPropertyPresent::ppIgnore;
    TPropertyPresent ftHidden = TPropertyPresent::ppNo;
    TPropertyPresent ftReadOnly = TPropertyPresent::ppIgnore;
    TPropertyPresent ftSystem = TPropertyPresent::ppIgnore;
    QDateTime DateMin; // invalid: no lower bound
    QDateTime DateMax; // invalid: no upper bound
    qint64 SizeMin = -1;
    qint64 SizeMax = -1;

    bool passes(const FileAttributes &attributes, qint64 sizeBytes,
                const QDateTime &modified) const;
    bool operator==(const FileListFilter &) const = default;
};

// Everything that decides what a folder's listing holds and how its items read.
struct FileListSettings
{
    QString Mask = QStringLiteral("*.*");
    QString MaskExc;
    bool ShowFolders = true;
    bool ShowHideFolders = false;
    FileListFilter filter;
    FileListDisplay display;
    bool operator==(const FileListSettings &) const = default;
};

// The items of `folder`: with ShowFolders its subfolders (hidden ones only with
// ShowHideFolders) and the parent entry (not at the root "/"), then the files that one of the
// mask's patterns takes and no exclusion pattern does, that pass the filter, each once. A folder
// that cannot be read gives no items. Unsorted. `cancel`, when given and set, stops the reading
// early (the result is then incomplete and is thrown away by the caller).
std::vector<FileListItem> readFolderItems(const QString &folder, const FileListSettings &settings,
                                          const std::atomic<bool> *cancel = nullptr);
// The drive list's items, in volume order.
std::vector<FileListItem> driveListItems(const std::vector<VolumeEntry> &volumes);

// The columns of a folder listing.
enum class FileListColumn { Name = 0, Type = 1, Size = 2, Modified = 3, Attributes = 4 };
constexpr int fileListColumnCount = 5;

struct FileListSortOrder
{
    FileListColumn column = FileListColumn::Name;
    bool toggled = false; // reversed; the header shows the "up" arrow
    bool otherSortDir = false;
};

// The list's comparison: negative when `a` goes before `b`. Unless otherSortDir two folders
// compare by name and folders go before files, whatever the direction; with otherSortDir
// folders go before files too but that is reversed with the rest. The parent entry always stays
// first.
int compareFileItems(const FileListItem &a, const FileListItem &b, const FileListSortOrder &order);
// Sorts a folder's items (stable); the drive list is left in its order.
void sortFileItems(std::vector<FileListItem> &items, const FileListSortOrder &order);
// A header click: the current column toggles the direction, another column becomes the sort
// column with the direction toggled on.
FileListSortOrder clickedSortOrder(FileListSortOrder current, FileListColumn clicked);
