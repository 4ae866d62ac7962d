#include "files/ui/TTree0.h"

#include "files/FolderBranch.h"
#include "files/FolderTreeModel.h"
#include "files/Prompter.h"
#include "files/TreeFind.h"
#include "files/TreeWalk.h"
#include "files/ui/BranchJob.h"
#include "files/ui/TFItemToFind.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>

#include <vector>

TTree0::TTree0(Prompter &prompter, QWidget *parent)
    : QTreeView(parent), m_prompter(prompter), m_model(new FolderTreeModel(this))
{
    QStyle *s = style();
    m_model->setIcons(s->standardIcon(QStyle::SP_ComputerIcon),
                      s->standardIcon(QStyle::SP_DriveHDIcon),
                      s->standardIcon(QStyle::SP_DriveFDIcon), [s] {
                          QIcon folder = s->standardIcon(QStyle::SP_DirClosedIcon);
                          // The selected node shows the open folder.
                          const QIcon open = s->standardIcon(QStyle::SP_DirOpenIcon);
                          for (const QSize &size : open.availableSizes())
                              folder.addPixmap(open.pixmap(size), QIcon::Selected);
                          if (open.availableSizes().isEmpty())
                              folder.addPixmap(open.pixmap(16), QIcon::Selected);
                          return folder;
                      }());
    setModel(m_model);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    // The selection stays as visible without the focus as with it.
    QPalette p = palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        p.setColor(QPalette::Inactive, role, p.color(QPalette::Active, role));
    setPalette(p);
}

TTree0::~TTree0() = default;

void TTree0::selectNode(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    setCurrentIndex(index);
    scrollTo(index);
}

int TTree0::selectedLevel() const
{
    return currentIndex().isValid() ? treeLevel(currentIndex()) : 0;
}

void TTree0::Rebuild()
{
    if (m_job)
        m_job->cancel();
    m_findTop = QPersistentModelIndex();
    m_findBranch.reset();
    m_model->rebuild();
    setCurrentIndex(m_model->rootIndex());
}

bool TTree0::openPathInTree(const QString &path)
{
    if (path.size() <= 1 || !QDir::isAbsolutePath(path) || !QFileInfo(path).isDir())
        return false;
    const QString clean = QDir::cleanPath(path);
    setUpdatesEnabled(false);
    if (!m_model->hasDrives())
        m_model->rebuild();
    const QModelIndex root = m_model->rootIndex();
    if (isExpanded(root))
        collapseBranch(root);
    const FolderTreeModel::PathWalk walk = m_model->walkPath(clean);
    for (const QModelIndex &node : walk.chain) {
        setCurrentIndex(node);
        expand(node);
    }
    setUpdatesEnabled(true);
    scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
    return walk.complete;
}

void TTree0::collapseBranch(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    std::vector<QModelIndex> stack{index};
    while (!stack.empty()) {
        const QModelIndex node = stack.back();
        stack.pop_back();
        if (!isExpanded(node))
            continue;
        collapse(node);
        for (int r = 0; r < m_model->rowCount(node); ++r)
            stack.push_back(m_model->index(r, 0, node));
    }
}

void TTree0::expandReadBranch(const QModelIndex &index)
{
    // One layout afterwards rather than one per node.
    scheduleDelayedItemsLayout();
    std::vector<QModelIndex> stack{index};
    while (!stack.empty()) {
        const QModelIndex node = stack.back();
        stack.pop_back();
        // Links were not read with the branch: they stay closed, so no loop is ever opened.
        if (!m_model->isRead(node) || node.data(FolderTreeModel::LinkRole).toBool() ||
            m_model->rowCount(node) == 0)
            continue;
        expand(node);
        for (int r = 0; r < m_model->rowCount(node); ++r)
            stack.push_back(m_model->index(r, 0, node));
    }
}

void TTree0::FullCollapse()
{
    collapseAll();
}

void TTree0::FullExpand()
{
    const QModelIndex start = currentIndex();
    if (!start.isValid())
        return;
    if (m_model->kindOf(start) == FolderTreeModel::NodeKind::Root) {
        // The whole of every volume is more than anyone wants to see: the root opens its
        // volumes.
        expand(start);
        return;
    }
    std::vector<QPersistentModelIndex> nodes;
    const QString caption = start.data().toString();
    for (int r = start.row(); r < m_model->rowCount(start.parent()); ++r) {
        const QModelIndex sibling = start.siblingAtRow(r);
        if (sibling.data().toString().startsWith(caption, Qt::CaseInsensitive))
            nodes.emplace_back(sibling);
    }
    QStringList paths;
    for (const QPersistentModelIndex &n : nodes)
        paths << m_model->pathOf(n);
    auto branches = std::make_shared<std::vector<FolderBranch>>();
    startJob(
        m_model->pathOf(start),
        [paths, branches](const std::atomic_bool &cancel, std::atomic<qint64> &count) {
            for (const QString &p : paths)
                branches->push_back(readFolderBranch(p, cancel, count));
        },
        [this, nodes, branches] {
            for (size_t i = 0; i < nodes.size() && i < branches->size(); ++i) {
                if (!nodes[i].isValid())
                    continue;
                m_model->fillFromBranch(nodes[i], (*branches)[i]);
                expandReadBranch(nodes[i]);
            }
        });
}

void TTree0::FindFolder()
{
    beforeFindWindow();
    TFItemToFind window(this);
    window.setText(m_findText);
    const bool ok = window.exec() == QDialog::Accepted;
    afterFindWindow();
    if (ok)
        findText(window.text());
}

void TTree0::findText(const QString &text)
{
    m_findText = text.toUpper();
    m_findLevel = selectedLevel();
    m_findTop = QPersistentModelIndex();
    m_findBranch.reset();
    if (!m_findText.isEmpty())
        runFind(currentIndex());
}

void TTree0::runFind(const QModelIndex &from)
{
    if (!from.isValid())
        return;
    const auto isOpen = [this](const QModelIndex &i) { return isExpanded(i); };
    if (m_model->kindOf(from) == FolderTreeModel::NodeKind::Root) {
        // Searching every volume whole would read the entire disk: from the root the search
        // walks the nodes shown.
        selectNode(findVisible(from, m_findLevel, m_findText, isOpen).node);
        return;
    }
    // The branch is read whole off the window's thread, and only the way to what is found is
    // opened in the tree.
    auto branch = std::make_shared<FolderBranch>();
    const QString path = m_model->pathOf(from);
    const QPersistentModelIndex top(from);
    startJob(
        path,
        [path, branch](const std::atomic_bool &cancel, std::atomic<qint64> &count) {
            *branch = readFolderBranch(path, cancel, count);
        },
        [this, top, branch] {
            if (!top.isValid())
                return;
            m_findTop = top;
            m_findBranch = branch;
            const int found = findInBranch(*branch, -1, m_findText);
            if (found >= 0)
                selectFound(m_model->indexBelow(top, branch->components(found)));
            else
                continueVisibleWalk(top);
        });
}

void TTree0::selectFound(const QModelIndex &node)
{
    if (!node.isValid())
        return;
    for (QModelIndex p = node.parent(); p.isValid(); p = p.parent())
        expand(p);
    selectNode(node);
}

void TTree0::continueVisibleWalk(const QModelIndex &after)
{
    // Past the branch read, the walk goes on over the nodes shown.
    const QModelIndex next = nextAfterBranch(after);
    if (!next.isValid()) {
        selectNode(after);
        return;
    }
    if (treeCaptionMatches(m_findText, next.data().toString()) || treeLevel(next) <= m_findLevel) {
        selectNode(next);
        return;
    }
    selectNode(findVisible(next, m_findLevel, m_findText, [this](const QModelIndex &i) {
                   return isExpanded(i);
               }).node);
}

void TTree0::FindNextFolder()
{
    if (m_findText.isEmpty()) {
        m_prompter.ShowInfo(QStringLiteral("No hi ha text a buscar"));
        return;
    }
    const QModelIndex from = currentIndex();
    if (m_findBranch && m_findTop.isValid()) {
        // Within the branch read for the search, the search goes on in it.
        QStringList components;
        QModelIndex i = from;
        for (; i.isValid() && i != QModelIndex(m_findTop); i = i.parent())
            components.prepend(i.data().toString());
        if (i.isValid()) {
            const int after = components.isEmpty() ? -1 : m_findBranch->indexOf(components);
            if (components.isEmpty() || after >= 0) {
                const int found = findInBranch(*m_findBranch, after, m_findText);
                if (found >= 0)
                    selectFound(m_model->indexBelow(m_findTop, m_findBranch->components(found)));
                else
                    continueVisibleWalk(m_findTop);
                return;
            }
        }
    }
    runFind(from);
}

void TTree0::WriteExpanded()
{
    if (!m_writeList || !currentIndex().isValid())
        return;
    Q_EMIT OnBeforeWriteItems();
    *m_writeList << writeExpanded(currentIndex(),
                                  [this](const QModelIndex &i) { return isExpanded(i); });
    afterWriteOut();
}

bool TTree0::applyTreeKey(int key)
{
    const QModelIndex cur = currentIndex();
    if (!cur.isValid())
        return false;
    const auto isOpen = [this](const QModelIndex &i) { return isExpanded(i); };
    const bool atRoot = treeLevel(cur) == 0;
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up: {
        const QModelIndex prev = previousVisible(cur, isOpen);
        if (atRoot || !prev.isValid() || treeLevel(prev) == 0)
            return false;
        if (key == Qt::Key_Left)
            collapseBranch(cur);
        selectNode(prev);
        return true;
    }
    case Qt::Key_Right: expand(cur); return true;
    case Qt::Key_Down: {
        // Expanding reads the node, so its first child is there to go to.
        if (isExpanded(cur) && m_model->canFetchMore(cur))
            m_model->fetchMore(cur);
        const QModelIndex next = nextVisible(cur, isOpen);
        if (!next.isValid())
            return false;
        selectNode(next);
        return true;
    }
    default: return false;
    }
}

void TTree0::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (applyTreeKey(event->key())) {
            event->accept();
            return;
        }
    }
    QTreeView::keyPressEvent(event);
}

void TTree0::contextMenuEvent(QContextMenuEvent *event)
{
    if (!m_menu) {
        QTreeView::contextMenuEvent(event);
        return;
    }
    m_menu->popup(event->globalPos() + QPoint(10, 10));
    event->accept();
}

void TTree0::showEvent(QShowEvent *event)
{
    QTreeView::showEvent(event);
    // A folder opened before the tree was on screen is brought into the middle of it.
    if (currentIndex().isValid())
        scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
}

bool TTree0::startJob(const QString &what,
                      std::function<void(const std::atomic_bool &, std::atomic<qint64> &)> work,
                      std::function<void()> done)
{
    if (m_job) {
        QApplication::beep();
        return false;
    }
    m_job = std::make_unique<BranchJob>(this, what, std::move(work), std::move(done));
    connect(m_job.get(), &BranchJob::over, this, [this] {
        // The job is over: let it go once its signal has returned.
        m_job.release()->deleteLater();
        Q_EMIT branchJobOver();
    });
    return true;
}

QModelIndex TTree0::nodeAtLabel(const QPoint &pos) const
{
    const QModelIndex index = indexAt(pos);
    if (index.isValid() && visualRect(index).contains(pos))
        return index;
    return {};
}
