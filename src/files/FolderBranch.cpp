#include "files/FolderBranch.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr QDir::Filters SubfolderFilter =
    QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

void readInto(const QString &folder, int depth, FolderBranch &out, const std::atomic_bool &cancel,
              std::atomic<qint64> &progress)
{
    if (cancel.load(std::memory_order_relaxed)) {
        out.cancelled = true;
        return;
    }
    progress.fetch_add(1, std::memory_order_relaxed);
    for (const QString &name : sortedSubfolders(folder)) {
        if (out.cancelled)
            return;
        const QString path =
            folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
        const QFileInfo info(path);
        const size_t at = out.entries.size();
        FolderBranchEntry entry;
        entry.name = name;
        entry.depth = depth;
        entry.link = info.isSymLink();
        out.entries.push_back(entry);
        if (entry.link)
            out.entries[at].hasSubfolders = hasSubfolder(path);
        else {
            readInto(path, depth + 1, out, cancel, progress);
            out.entries[at].hasSubfolders = out.entries.size() > at + 1;
        }
    }
}

} // namespace

bool folderNameLess(const QString &a, const QString &b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

QStringList sortedSubfolders(const QString &folder)
{
    QStringList names = QDir(folder).entryList(SubfolderFilter, QDir::NoSort);
    std::sort(names.begin(), names.end(), folderNameLess);
    return names;
}

bool hasSubfolder(const QString &folder)
{
    QDirIterator it(folder, SubfolderFilter);
    return it.hasNext();
}

QStringList FolderBranch::components(int index) const
{
    QStringList out;
    if (index < 0 || index >= int(entries.size()))
        return out;
    int depth = entries[size_t(index)].depth;
    out.prepend(entries[size_t(index)].name);
    for (int i = index - 1; i >= 0 && depth > 1; --i)
        if (entries[size_t(i)].depth == depth - 1) {
            out.prepend(entries[size_t(i)].name);
            --depth;
        }
    return out;
}

int FolderBranch::indexOf(const QStringList &wanted) const
{
    int level = 0; // how many components have been matched
    for (int i = 0; i < int(entries.size()); ++i) {
        const FolderBranchEntry &e = entries[size_t(i)];
        if (e.depth <= level)
            return -1; // left the branch of the last component matched
        if (e.depth == level + 1 && e.name == wanted.value(level)) {
            if (++level == wanted.size())
                return i;
        }
    }
    return -1;
}

FolderBranch readFolderBranch(const QString &top, const std::atomic_bool &cancel,
                              std::atomic<qint64> &progress)
{
    FolderBranch out;
    out.top = top;
    if (QFileInfo(top).isDir())
        readInto(top, 1, out, cancel, progress);
    return out;
}

BranchSize measureFolderBranch(const QString &top, const std::atomic_bool &cancel,
                               std::atomic<qint64> &progress)
{
    BranchSize out;
    if (!QFileInfo(top).isDir())
        return out;
    // Files and folders reached through links are not counted: they belong to another branch,
    // and a link back up would be measured for ever.
    QDirIterator it(top, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    qint64 seen = 0;
    while (it.hasNext()) {
        if ((++seen & 0xff) == 0) {
            if (cancel.load(std::memory_order_relaxed)) {
                out.cancelled = true;
                return out;
            }
            progress.store(seen, std::memory_order_relaxed);
        }
        it.next();
        out.bytes += it.fileInfo().size();
    }
    progress.store(seen, std::memory_order_relaxed);
    return out;
}
