#pragma once

#include <QMenu>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStringList>
#include <QTreeView>

#include <atomic>
#include <functional>
#include <memory>

class BranchJob;
class FolderTreeModel;
class Prompter;
struct FolderBranch;

// The folder tree all the trees and drop-downs are built on: keys that walk the nodes shown,
// search by name, write-out of a branch, a context menu opening beside the mouse, and work on
// whole branches done off the window's thread. The selection stays visible without the focus.
class TTree0 : public QTreeView
{
    Q_OBJECT

public:
    explicit TTree0(Prompter &prompter, QWidget *parent = nullptr);
    ~TTree0() override;

    FolderTreeModel *folderModel() const { return m_model; }
    Prompter &prompter() const { return m_prompter; }

    QModelIndex selectedNode() const { return currentIndex(); }
    void selectNode(const QModelIndex &index);
    int selectedLevel() const;
    bool nodeExpanded(const QModelIndex &index) const { return isExpanded(index); }

    // Clears the tree and builds the root and the volumes again.
    virtual void Rebuild();
    // Selects the folder `path`, reading and expanding the nodes on the way, after collapsing an
    // expanded root. Returns whether every component was found; a path of one character or one
    // that is not an existing folder does nothing and returns false.
    bool openPathInTree(const QString &path);

    // Collapses a node and every node below it.
    void collapseBranch(const QModelIndex &index);
    void FullCollapse();
    // Expands the selected node completely, and every later sibling whose caption begins with
    // its caption (read off the window's thread).
    void FullExpand();

    // Asks for a text with the "Recerca" window and searches for it.
    void FindFolder();
    // The search without the window: `text` is kept upper-cased with the selected node's level.
    void findText(const QString &text);
    void FindNextFolder();
    QString findTextKept() const { return m_findText; }

    // The list WriteExpanded writes into; none by default.
    void setWriteList(QStringList *list) { m_writeList = list; }
    QStringList *writeList() const { return m_writeList; }
    void WriteExpanded();

    // The menu shown by a right click, 10 pixels right of and below the mouse; none by default.
    void setPopUpMenu(QMenu *menu) { m_menu = menu; }
    QMenu *popUpMenu() const { return m_menu; }

    // The tree keys, as the selectors forward them.
    bool applyTreeKey(int key);
    bool jobRunning() const { return bool(m_job); }

Q_SIGNALS:
    void OnBeforeWriteItems();
    void OnAfterWriteItems();
    // A job on a whole branch ended (done, or cancelled).
    void branchJobOver();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // Around the "Recerca" window and the writing out: a drop-down hides itself meanwhile.
    virtual void beforeFindWindow() {}
    virtual void afterFindWindow() {}
    virtual void afterWriteOut() { Q_EMIT OnAfterWriteItems(); }
    // Runs `work` off the window's thread, then `done` here; one job at a time.
    bool startJob(const QString &what,
                  std::function<void(const std::atomic_bool &, std::atomic<qint64> &)> work,
                  std::function<void()> done);
    // Whether a click at `pos` falls on a node's label or picture (not its expand mark).
    QModelIndex nodeAtLabel(const QPoint &pos) const;

private:
    void expandReadBranch(const QModelIndex &index);
    void runFind(const QModelIndex &from);
    void selectFound(const QModelIndex &node);
    void continueVisibleWalk(const QModelIndex &after);

    Prompter &m_prompter;
    FolderTreeModel *m_model = nullptr;
    QStringList *m_writeList = nullptr;
    QPointer<QMenu> m_menu;
    std::unique_ptr<BranchJob> m_job;

    // The search kept until the next one: its text, starting level, and the branch read for it.
    QString m_findText;
    int m_findLevel = 0;
    QPersistentModelIndex m_findTop;
    std::shared_ptr<FolderBranch> m_findBranch;
};
