#include "files/ui/TLsDirTreeCombo27.h"

#include "files/FolderTreeModel.h"
#include "files/ui/TLsDirTreeView.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>

TLsDirTreeCombo27::TLsDirTreeCombo27(Prompter &prompter, QWidget *parent)
    : TTreeCombo0(new TLsDirTreeView(prompter, nullptr, true), parent)
{
    setObjectName(QStringLiteral("TLsDirTreeCombo27"));
    connect(Tree, &TTree0::OnBeforeWriteItems, this, &TLsDirTreeCombo27::OnBeforeWriteItems);
    connect(Tree, &TTree0::OnAfterWriteItems, this, &TLsDirTreeCombo27::OnAfterWriteItems);
    // Nothing is chosen yet: the box shows the root.
    showNode(Tree->folderModel()->rootIndex());
}

TLsDirTreeView *TLsDirTreeCombo27::dirTree() const
{
    return static_cast<TLsDirTreeView *>(Tree);
}

void TLsDirTreeCombo27::setExpandRoot(bool expand)
{
    m_expandRoot = expand;
    dirTree()->setExpandRoot(expand);
    if (!expand)
        Tree->collapse(Tree->folderModel()->rootIndex());
}

void TLsDirTreeCombo27::Rebuild()
{
    Tree->Rebuild();
}

void TLsDirTreeCombo27::showNode(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    edit()->setText(index.data().toString());
    const QList<QAction *> old = edit()->actions();
    for (QAction *a : old) {
        edit()->removeAction(a);
        delete a;
    }
    edit()->addAction(index.data(Qt::DecorationRole).value<QIcon>(), QLineEdit::LeadingPosition);
    edit()->setCursorPosition(0);
}

void TLsDirTreeCombo27::OpenPath(const QString &path)
{
    if (!Tree->openPathInTree(path))
        return;
    showNode(Tree->selectedNode());
    m_selectedPath = QDir::cleanPath(path);
    Q_EMIT OnSelectItem(m_selectedPath);
}

void TLsDirTreeCombo27::setSelectedPath(const QString &path)
{
    m_selectedPath = path;
    // The box shows the node of the path when the tree has it.
    if (dirTree()->nodePath(Tree->selectedNode()) != path && path != QStringLiteral("Dispositiu"))
        Tree->openPathInTree(path);
    if (dirTree()->nodePath(Tree->selectedNode()) == path)
        showNode(Tree->selectedNode());
    Q_EMIT OnSelectItem(path);
    m_list.show(path);
}

void TLsDirTreeCombo27::setFileList(LinkedFileList *list)
{
    m_list.set(list);
    m_list.show(m_selectedPath);
}

void TLsDirTreeCombo27::takeEntered()
{
    const QModelIndex node = Tree->selectedNode();
    if (Tree->isVisible())
        Tree->DropDown(this, TreeHeight());
    if (!node.isValid())
        return;
    // The box keeps the path and tells its owner; its list stays where it is.
    m_selectedPath = dirTree()->nodePath(node);
    showNode(node);
    Q_EMIT OnSelectItem(m_selectedPath);
}

void TLsDirTreeCombo27::takeClicked(const QModelIndex &index)
{
    if (Tree->isVisible())
        Tree->DropDown(this, TreeHeight());
    showNode(index);
    setSelectedPath(dirTree()->nodePath(index));
}
