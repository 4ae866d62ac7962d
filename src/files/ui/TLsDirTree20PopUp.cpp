#include "files/ui/TLsDirTree20PopUp.h"

#include "files/ui/TLsDirTree20.h"

#include <QStyle>

TLsDirTree20PopUp::TLsDirTree20PopUp(TLsDirTree20 *tree) : TTreePopUp00(tree), m_dirTree(tree)
{
    QStyle *s = tree->style();
    QAction *add =
        addAction(s->standardIcon(QStyle::SP_FileDialogNewFolder), QStringLiteral("&Nova carpeta"));
    add->setObjectName(QStringLiteral("AddNode"));
    connect(add, &QAction::triggered, tree, [tree] { tree->AddFolder(); });
    QAction *rename = addAction(QStringLiteral("&Renomena carpeta"));
    rename->setObjectName(QStringLiteral("EditNode"));
    connect(rename, &QAction::triggered, tree, &TLsDirTree20::EditSelected);
    QAction *del =
        addAction(s->standardIcon(QStyle::SP_TrashIcon), QStringLiteral("&Esborra carpeta"));
    del->setObjectName(QStringLiteral("DelNode"));
    connect(del, &QAction::triggered, tree, &TLsDirTree20::DeleteFolder);
    addSeparator();
    QAction *size =
        addAction(s->standardIcon(QStyle::SP_DriveHDIcon), QStringLiteral("&Mida de l'arbre"));
    size->setObjectName(QStringLiteral("GetTreeSize"));
    connect(size, &QAction::triggered, tree, &TLsDirTree20::TreeSize);
    addEntry(QStringLiteral("FullCollapse"), QStringLiteral("&Col·lapsa tot l'arbre"),
             s->standardIcon(QStyle::SP_ArrowUp), &TTree0::FullCollapse);
    addEntry(QStringLiteral("FullExpand"), QStringLiteral("&Expandeix tot el directori"),
             s->standardIcon(QStyle::SP_ArrowDown), &TTree0::FullExpand);
}

void TLsDirTree20PopUp::updateEntries()
{
    const int level = m_dirTree->selectedLevel();
    const bool idle = !m_dirTree->jobRunning();
    entry(QStringLiteral("AddNode"))->setEnabled(level >= 1);
    entry(QStringLiteral("EditNode"))->setEnabled(level >= 2 && !m_dirTree->ReadOnly());
    entry(QStringLiteral("DelNode"))->setEnabled(level >= 2);
    entry(QStringLiteral("GetTreeSize"))->setEnabled(level >= 1 && idle);
    entry(QStringLiteral("FullExpand"))->setEnabled(idle);
}
