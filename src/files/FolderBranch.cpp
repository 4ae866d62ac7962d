#include "files/FolderBranch.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <sys/stat.h>

namespace {

constexpr dev_t NoDevice = dev_t(-1);

// The file system a folder lives on, without following a link; NoDevice when it cannot be told.
dev_t deviceOf(const QString &path)
{
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return NoDevice;
    return st.st_dev;
}

QString joinPath(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

constexpr QDir::Filters SubfolderFilter =
    QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

void readInto(const QString &folder, dev_t device, int depth, FolderBranch &out,
              const std::atomic_bool &cancel, std::atomic<qint64> &progress)
{
    if (cancel.load(std::memory_order_relaxed)) {
        out.cancelled = true;
        return;
    }
    progress.fetch_add(1, std::memory_order_relaxed);
    for (const QString &name : sortedSubfolders(folder)) {
        if (out.cancelled)
            return;
        const QString path = joinPath(folder, name);
        const size_t at = out.entries.size();
        FolderBranchEntry entry;
        entry.name = name;
        entry.depth = depth;
        entry.link = QFileInfo(path).isSymLink() || deviceOf(path) != device;
        out.entries.push_back(entry);
        if (entry.link)
            out.entries[at].hasSubfolders = hasSubfolder(path);
        else {
            readInto(path, device, depth + 1, out, cancel, progress);
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
        readInto(top, deviceOf(top), 1, out, cancel, progress);
    return out;
}

namespace {

void measureInto(const QString &folder, dev_t device, BranchSize &out,
                 const std::atomic_bool &cancel, std::atomic<qint64> &progress)
{
    if (cancel.load(std::memory_order_relaxed)) {
        out.cancelled = true;
        return;
    }
    progress.fetch_add(1, std::memory_order_relaxed);
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System |
                                QDir::NoDotAndDotDot | QDir::NoSymLinks);
    while (it.hasNext() && !out.cancelled) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isDir()) {
            if (deviceOf(info.filePath()) == device)
                measureInto(info.filePath(), device, out, cancel, progress);
        } else {
            out.bytes += info.size();
        }
    }
}

} // namespace

BranchSize measureFolderBranch(const QString &top, const std::atomic_bool &cancel,
                               std::atomic<qint64> &progress)
{
    BranchSize out;
    // Links are not followed and other volumes mounted inside are not entered: what they hold
    // belongs elsewhere, and a link back up would be measured for ever.
    if (QFileInfo(top).isDir())
        measureInto(top, deviceOf(top), out, cancel, progress);
    return out;
}
