#pragma once

#include <QModelIndex>
#include <QStringList>

#include <functional>

class QAbstractItemModel;

// Walks over the nodes of a tree model as a tree view shows them. Only the rows a model has
// read count: a walk never makes a model read more.

// Whether a node is expanded on screen.
using IsExpandedFn = std::function<bool(const QModelIndex &)>;

// The level of a node: 0 for a top node.
int treeLevel(const QModelIndex &index);
// The node shown after `index`: its first child when it is expanded, else its next sibling or
// that of its nearest ancestor that has one; invalid at the end.
QModelIndex nextVisible(const QModelIndex &index, const IsExpandedFn &isExpanded);
// The node shown before `index`, or invalid at the top.
QModelIndex previousVisible(const QModelIndex &index, const IsExpandedFn &isExpanded);
// The first node after the whole branch of `index`, or invalid.
QModelIndex nextAfterBranch(const QModelIndex &index);

// The write-out of a branch: the caption of `start`, then, when it is expanded, every node shown
// below it with one tab per level below `start` before its caption.
QStringList writeExpanded(const QModelIndex &start, const IsExpandedFn &isExpanded);

// The search walk over the nodes shown after `start`: the first whose caption matches
// `upperText` (matched), or the first at `startLevel` or above, or the last node shown.
struct TreeWalkFound
{
    QModelIndex node;
    bool matched = false;
};
TreeWalkFound findVisible(const QModelIndex &start, int startLevel, const QString &upperText,
                          const IsExpandedFn &isExpanded);
