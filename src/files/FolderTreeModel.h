#pragma once

#include "files/FolderDrives.h"

#include <QIcon>
#include <QStandardItemModel>

#include <functional>
#include <vector>

struct FolderBranch;
struct FolderBranchEntry;

// The folders of a folder tree: one root "Dispositiu", the volumes below it, and their folders,
// each folder's subfolders read when it is first expanded and kept until the model is rebuilt.
// A node not yet read shows as expandable when its folder holds a subfolder.
class FolderTreeModel : public QStandardItemModel
{
    Q_OBJECT

public:
    enum class NodeKind { Root, Drive, Folder };
    enum Role {
        KindRole = Qt::UserRole + 1,
        DriveRootRole,
        DriveTypeRole,
        ReadRole,
        HasSubfoldersRole,
        LinkRole,
    };

    explicit FolderTreeModel(QObject *parent = nullptr);

    // Where the volumes come from; the running system's by default.
    void setDriveSource(std::function<std::vector<FolderDrive>()> source);
    // Clears the tree and builds the root and the volumes.
    void rebuild();
    bool hasDrives() const;
    QModelIndex rootIndex() const;

    // Pictures: the root's, a volume's by type, and a folder's (its Selected mode is the open
    // folder, shown for the selected node).
    void setIcons(const QIcon &root, const QIcon &drive, const QIcon &removable,
                  const QIcon &folder);

    NodeKind kindOf(const QModelIndex &index) const;
    DriveKind driveKindOf(const QModelIndex &index) const;
    // The folder of a node: the volume's root for a volume, "" for the root.
    QString pathOf(const QModelIndex &index) const;
    bool isRead(const QModelIndex &index) const;

    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The child of `parent` named `name`, reading `parent` first: the exact name, else the first
    // equal to it ignoring letter case. Invalid when there is none.
    QModelIndex childNamed(const QModelIndex &parent, const QString &name);

    // The nodes from the root down to the folder `path` (absolute, no trailing separator but
    // for "/"), each read on the way; the walk stops at the first component not found.
    struct PathWalk
    {
        std::vector<QModelIndex> chain; // the root first; never empty
        bool complete = false;
    };
    PathWalk walkPath(const QString &path);
    // The node below `top` at `components`, read on the way; invalid when one is missing.
    QModelIndex indexBelow(const QModelIndex &top, const QStringList &components);

    // Fills every node of the branch of `top` that was not read yet from a branch read off the
    // window's thread (the folders of `top` itself included); read nodes keep their rows.
    void fillFromBranch(const QModelIndex &top, const FolderBranch &branch);
    // Replaces the caption of a folder node, re-sorting it among its siblings; returns its new
    // index.
    QModelIndex renameNode(const QModelIndex &index, const QString &name);

private:
    QStandardItem *folderItem(const QString &name, bool hasSubfolders, bool link) const;
    void setChildren(QStandardItem *parent, const QStringList &names, const QString &parentPath);
    void fillNode(QStandardItem *node, const std::vector<FolderBranchEntry> &entries, size_t &i,
                  int depth) const;

    std::function<std::vector<FolderDrive>()> m_driveSource;
    QIcon m_rootIcon;
    QIcon m_driveIcon;
    QIcon m_removableIcon;
    QIcon m_folderIcon;
};
