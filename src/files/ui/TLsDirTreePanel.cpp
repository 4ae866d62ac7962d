#include "files/ui/TLsDirTreePanel.h"

#include "files/FolderDrives.h"
#include "files/FolderTreeModel.h"
#include "files/FolderTreeTexts.h"
#include "files/Prompter.h"
#include "files/ui/TLsDirTreeView.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>

TLsDirTreePanel::TLsDirTreePanel(Prompter &prompter, QWidget *parent)
    : TTreePanel0(new TLsDirTreeView(prompter, nullptr, true), parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TLsDirTreePanel"));
    connect(Tree, &TTree0::OnBeforeWriteItems, this, &TLsDirTreePanel::OnBeforeWriteItems);
    connect(Tree, &TTree0::OnAfterWriteItems, this, &TLsDirTreePanel::OnAfterWriteItems);
    // Nothing is chosen yet: the panel shows the root.
    const PanelPathTexts texts = panelPathTexts(m_selectedPath);
    showTexts(texts.edit, texts.label, texts.hint);
}

TLsDirTreeView *TLsDirTreePanel::dirTree() const
{
    return static_cast<TLsDirTreeView *>(Tree);
}

void TLsDirTreePanel::setExpandRoot(bool expand)
{
    m_expandRoot = expand;
    dirTree()->setExpandRoot(expand);
    if (!expand)
        Tree->collapse(Tree->folderModel()->rootIndex());
}

void TLsDirTreePanel::Rebuild()
{
    Tree->Rebuild();
}

void TLsDirTreePanel::OpenPath(const QString &path)
{
    if (Tree->openPathInTree(path))
        setSelectedPath(QDir::cleanPath(path));
}

void TLsDirTreePanel::setSelectedPath(const QString &path)
{
    m_selectedPath = path;
    Q_EMIT OnSelectItem(path);
    const PanelPathTexts texts = panelPathTexts(path);
    showTexts(texts.edit, texts.label, texts.hint);
    m_list.show(path);
}

void TLsDirTreePanel::setFileList(LinkedFileList *list)
{
    m_list.set(list);
    m_list.show(m_selectedPath);
}

void TLsDirTreePanel::takeEntered()
{
    const QModelIndex node = Tree->selectedNode();
    if (Tree->isVisible())
        Tree->DropDown(this, TreeHeight());
    if (!node.isValid())
        return;
    setSelectedPath(dirTree()->nodePath(node));
    ECenter->setFocus();
    // A removable volume is checked once taken, as the list will read it.
    FolderTreeModel *m = Tree->folderModel();
    if (m->kindOf(node) == FolderTreeModel::NodeKind::Drive &&
        (m->driveKindOf(node) == DriveKind::Removable ||
         m->driveKindOf(node) == DriveKind::CdRom)) {
        const Fallible<void> ready = checkDriveReady(m->pathOf(node));
        if (!ready.ok()) {
            QApplication::beep();
            m_prompter.ShowError(ready.error());
        }
    }
}

void TLsDirTreePanel::takeClicked(const QModelIndex &index)
{
    if (Tree->isVisible())
        Tree->DropDown(this, TreeHeight());
    setSelectedPath(dirTree()->nodePath(index));
}
