#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <vector>

// Reading folders for the trees, off the window's thread when a whole branch is wanted. Links to
// folders, and folders where another volume is mounted, are listed as folders but never entered
// when a branch is read or measured: a link loop cannot make a walk endless, and a branch stays
// on its own volume (a volume's root does not take in the system's /proc or another disk).

// The subfolders of `folder` ("." and ".." left out, hidden ones included) in the order the trees
// show them: alphabetical ignoring letter case, then by case. Empty when it cannot be read.
QStringList sortedSubfolders(const QString &folder);
// Whether `folder` holds at least one subfolder: the listing stops at the first one.
bool hasSubfolder(const QString &folder);
// Orders two captions as the trees do.
bool folderNameLess(const QString &a, const QString &b);

struct FolderBranchEntry
{
    QString name;
    int depth = 1;     // 1 for a subfolder of the branch's top folder
    bool link = false; // a link or another volume: not read with the branch
    bool hasSubfolders = false;
};

// Every folder below a top folder, in tree order (each folder followed by its own branch).
struct FolderBranch
{
    QString top;
    std::vector<FolderBranchEntry> entries;
    bool cancelled = false;

    // The names from the top folder down to entry `index`.
    QStringList components(int index) const;
    // The index of the entry at `components` below the top, or -1.
    int indexOf(const QStringList &components) const;
};

// Reads the branch of `top`, counting each folder read into `progress`; stops early, marked
// cancelled, once `cancel` is set. Unreadable folders show no subfolders.
FolderBranch readFolderBranch(const QString &top, const std::atomic_bool &cancel,
                              std::atomic<qint64> &progress);

struct BranchSize
{
    qint64 bytes = 0;
    bool cancelled = false;
};

// The sizes of the files in `top` and in every folder below it on the same volume, links not
// followed.
BranchSize measureFolderBranch(const QString &top, const std::atomic_bool &cancel,
                               std::atomic<qint64> &progress);
