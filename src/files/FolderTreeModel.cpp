#include "files/FolderTreeModel.h"

#include "files/FolderBranch.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

QString joinPath(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

} // namespace

FolderTreeModel::FolderTreeModel(QObject *parent)
    : QStandardItemModel(parent), m_driveSource(&currentDrives)
{}

void FolderTreeModel::setDriveSource(std::function<std::vector<FolderDrive>()> source)
{
    m_driveSource = std::move(source);
}

void FolderTreeModel::setIcons(const QIcon &root, const QIcon &drive, const QIcon &removable,
                               const QIcon &folder)
{
    m_rootIcon = root;
    m_driveIcon = drive;
    m_removableIcon = removable;
    m_folderIcon = folder;
}

void FolderTreeModel::rebuild()
{
    clear();
    auto *root = new QStandardItem(QStringLiteral("Dispositiu"));
    root->setEditable(false);
    root->setData(int(NodeKind::Root), KindRole);
    root->setData(true, ReadRole);
    QList<QStandardItem *> drives;
    for (const FolderDrive &d : m_driveSource()) {
        auto *item = new QStandardItem(d.caption);
        item->setEditable(false);
        item->setData(int(NodeKind::Drive), KindRole);
        item->setData(d.root, DriveRootRole);
        item->setData(int(d.type), DriveTypeRole);
        item->setData(false, ReadRole);
        item->setData(true, HasSubfoldersRole);
        drives << item;
    }
    if (!drives.isEmpty())
        root->appendRows(drives);
    appendRow(root);
}

bool FolderTreeModel::hasDrives() const
{
    return rowCount() > 0 && rowCount(index(0, 0)) > 0;
}

QModelIndex FolderTreeModel::rootIndex() const
{
    return index(0, 0);
}

FolderTreeModel::NodeKind FolderTreeModel::kindOf(const QModelIndex &i) const
{
    return NodeKind(i.data(KindRole).toInt());
}

DriveKind FolderTreeModel::driveKindOf(const QModelIndex &i) const
{
    for (QModelIndex p = i; p.isValid(); p = p.parent())
        if (kindOf(p) == NodeKind::Drive)
            return DriveKind(p.data(DriveTypeRole).toInt());
    return DriveKind::Fixed;
}

QString FolderTreeModel::pathOf(const QModelIndex &i) const
{
    if (!i.isValid())
        return {};
    switch (kindOf(i)) {
    case NodeKind::Root: return {};
    case NodeKind::Drive: return i.data(DriveRootRole).toString();
    case NodeKind::Folder: break;
    }
    return joinPath(pathOf(i.parent()), i.data(Qt::DisplayRole).toString());
}

bool FolderTreeModel::isRead(const QModelIndex &i) const
{
    return i.data(ReadRole).toBool();
}

bool FolderTreeModel::hasChildren(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return rowCount() > 0;
    if (isRead(parent))
        return rowCount(parent) > 0;
    return parent.data(HasSubfoldersRole).toBool();
}

bool FolderTreeModel::canFetchMore(const QModelIndex &parent) const
{
    return parent.isValid() && !isRead(parent);
}

void FolderTreeModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    const QString path = pathOf(parent);
    setChildren(itemFromIndex(parent), sortedSubfolders(path), path);
}

QVariant FolderTreeModel::data(const QModelIndex &i, int role) const
{
    if (role == Qt::DecorationRole && i.isValid()) {
        switch (kindOf(i)) {
        case NodeKind::Root: return m_rootIcon;
        case NodeKind::Drive:
            return driveKindOf(i) == DriveKind::Fixed || driveKindOf(i) == DriveKind::Home
                       ? m_driveIcon
                       : m_removableIcon;
        case NodeKind::Folder: return m_folderIcon;
        }
    }
    return QStandardItemModel::data(i, role);
}

QStandardItem *FolderTreeModel::folderItem(const QString &name, bool hasSubfolders, bool link) const
{
    auto *item = new QStandardItem(name);
    item->setData(int(NodeKind::Folder), KindRole);
    item->setData(false, ReadRole);
    item->setData(hasSubfolders, HasSubfoldersRole);
    item->setData(link, LinkRole);
    return item;
}

void FolderTreeModel::setChildren(QStandardItem *parent, const QStringList &names,
                                  const QString &parentPath)
{
    QList<QStandardItem *> rows;
    rows.reserve(names.size());
    for (const QString &name : names) {
        const QString path = joinPath(parentPath, name);
        rows << folderItem(name, hasSubfolder(path), QFileInfo(path).isSymLink());
    }
    parent->setData(true, ReadRole);
    if (!rows.isEmpty())
        parent->appendRows(rows);
}

QModelIndex FolderTreeModel::childNamed(const QModelIndex &parent, const QString &name)
{
    if (!parent.isValid())
        return {};
    fetchMore(parent);
    QModelIndex caseless;
    for (int r = 0; r < rowCount(parent); ++r) {
        const QModelIndex child = index(r, 0, parent);
        const QString caption = kindOf(child) == NodeKind::Drive
                                    ? child.data(DriveRootRole).toString()
                                    : child.data(Qt::DisplayRole).toString();
        if (caption == name)
            return child;
        if (!caseless.isValid() && caption.compare(name, Qt::CaseInsensitive) == 0)
            caseless = child;
    }
    return caseless;
}

FolderTreeModel::PathWalk FolderTreeModel::walkPath(const QString &path)
{
    PathWalk walk;
    if (rowCount() == 0)
        rebuild();
    QModelIndex node = rootIndex();
    walk.chain.push_back(node);
    std::vector<FolderDrive> drives;
    for (int r = 0; r < rowCount(node); ++r) {
        const QModelIndex d = index(r, 0, node);
        drives.push_back(
            {d.data(DriveRootRole).toString(), QString(), DriveKind::Fixed, QString()});
    }
    const int drive = driveIndexOf(path, drives);
    if (drive < 0)
        return walk;
    node = index(drive, 0, node);
    walk.chain.push_back(node);
    const QString root = drives[size_t(drive)].root;
    const QStringList components =
        path.mid(root.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &component : components) {
        node = childNamed(node, component);
        if (!node.isValid())
            return walk;
        walk.chain.push_back(node);
    }
    walk.complete = true;
    return walk;
}

QModelIndex FolderTreeModel::indexBelow(const QModelIndex &top, const QStringList &components)
{
    QModelIndex node = top;
    for (const QString &component : components) {
        fetchMore(node);
        QModelIndex found;
        for (int r = 0; r < rowCount(node) && !found.isValid(); ++r)
            if (index(r, 0, node).data(Qt::DisplayRole).toString() == component)
                found = index(r, 0, node);
        if (!found.isValid())
            return {};
        node = found;
    }
    return node;
}

void FolderTreeModel::fillNode(QStandardItem *node, const std::vector<FolderBranchEntry> &entries,
                               size_t &i, int depth) const
{
    // The entries are in tree order: those of `depth` are the children of `node`, each followed
    // by its own branch. A null node only consumes its branch.
    const bool read = node && node->data(ReadRole).toBool();
    QList<QStandardItem *> rows;
    while (i < entries.size() && entries[i].depth >= depth) {
        const FolderBranchEntry &entry = entries[i++];
        if (entry.depth > depth)
            continue; // below a child that was not recursed into
        QStandardItem *child = nullptr;
        if (node && !read) {
            child = folderItem(entry.name, entry.hasSubfolders, entry.link);
            rows << child;
        } else if (node) {
            for (int r = 0; r < node->rowCount() && !child; ++r)
                if (node->child(r)->text() == entry.name)
                    child = node->child(r);
        }
        // Links are never filled from a branch: they are read when opened.
        fillNode(entry.link ? nullptr : child, entries, i, depth + 1);
    }
    if (node && !read) {
        // New rows are attached with their whole branch at once.
        node->setData(true, ReadRole);
        if (!rows.isEmpty())
            node->appendRows(rows);
    }
}

void FolderTreeModel::fillFromBranch(const QModelIndex &top, const FolderBranch &branch)
{
    if (!top.isValid() || branch.cancelled)
        return;
    size_t i = 0;
    fillNode(itemFromIndex(top), branch.entries, i, 1);
}

QModelIndex FolderTreeModel::renameNode(const QModelIndex &i, const QString &name)
{
    if (!i.isValid() || kindOf(i) != NodeKind::Folder)
        return i;
    QStandardItem *parent = itemFromIndex(i.parent());
    QList<QStandardItem *> row = parent->takeRow(i.row());
    row.front()->setText(name);
    int at = 0;
    while (at < parent->rowCount() && folderNameLess(parent->child(at)->text(), name))
        ++at;
    parent->insertRow(at, row);
    return indexFromItem(row.front());
}
