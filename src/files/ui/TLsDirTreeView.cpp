#include "files/ui/TLsDirTreeView.h"

#include "files/FolderTreeModel.h"

TLsDirTreeView::TLsDirTreeView(Prompter &prompter, QWidget *selector, bool expandRoot)
    : TTreeView0(prompter, selector), m_expandRoot(expandRoot)
{
    setObjectName(QStringLiteral("Tree"));
    Rebuild();
}

QString TLsDirTreeView::nodePath(const QModelIndex &index) const
{
    if (!index.isValid() || folderModel()->kindOf(index) == FolderTreeModel::NodeKind::Root)
        return QStringLiteral("Dispositiu");
    return folderModel()->pathOf(index);
}

void TLsDirTreeView::Rebuild()
{
    TTree0::Rebuild();
    if (m_expandRoot)
        expand(folderModel()->rootIndex());
}
