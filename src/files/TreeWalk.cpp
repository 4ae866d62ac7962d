#include "files/TreeWalk.h"

#include "files/TreeFind.h"

#include <QAbstractItemModel>

int treeLevel(const QModelIndex &index)
{
    int level = -1;
    for (QModelIndex i = index; i.isValid(); i = i.parent())
        ++level;
    return level;
}

QModelIndex nextAfterBranch(const QModelIndex &index)
{
    for (QModelIndex i = index; i.isValid(); i = i.parent()) {
        const QModelIndex sibling = i.siblingAtRow(i.row() + 1);
        if (sibling.isValid())
            return sibling;
    }
    return {};
}

QModelIndex nextVisible(const QModelIndex &index, const IsExpandedFn &isExpanded)
{
    if (!index.isValid())
        return {};
    if (isExpanded(index) && index.model()->rowCount(index) > 0)
        return index.model()->index(0, 0, index);
    return nextAfterBranch(index);
}

QModelIndex previousVisible(const QModelIndex &index, const IsExpandedFn &isExpanded)
{
    if (!index.isValid() || index.row() == 0)
        return index.parent();
    // The last node shown in the branch of the previous sibling.
    QModelIndex i = index.siblingAtRow(index.row() - 1);
    while (isExpanded(i) && i.model()->rowCount(i) > 0)
        i = i.model()->index(i.model()->rowCount(i) - 1, 0, i);
    return i;
}

QStringList writeExpanded(const QModelIndex &start, const IsExpandedFn &isExpanded)
{
    QStringList lines;
    if (!start.isValid())
        return lines;
    lines << start.data().toString();
    if (!isExpanded(start))
        return lines;
    const int level = treeLevel(start);
    for (QModelIndex i = nextVisible(start, isExpanded); i.isValid();
         i = nextVisible(i, isExpanded)) {
        const int l = treeLevel(i);
        if (l <= level)
            break;
        lines << QString(l - level, QLatin1Char('\t')) + i.data().toString();
    }
    return lines;
}

TreeWalkFound findVisible(const QModelIndex &start, int startLevel, const QString &upperText,
                          const IsExpandedFn &isExpanded)
{
    TreeWalkFound found{start, false};
    for (QModelIndex i = nextVisible(start, isExpanded); i.isValid();
         i = nextVisible(i, isExpanded)) {
        found.node = i;
        if (treeCaptionMatches(upperText, i.data().toString())) {
            found.matched = true;
            break;
        }
        if (treeLevel(i) <= startLevel)
            break;
    }
    return found;
}
