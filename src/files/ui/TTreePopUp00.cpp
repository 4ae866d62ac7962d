#include "files/ui/TTreePopUp00.h"

#include "files/ui/TTree0.h"

TTreePopUp00::TTreePopUp00(TTree0 *tree) : QMenu(tree), m_tree(tree)
{
    connect(this, &QMenu::aboutToShow, this, [this] { updateEntries(); });
}

QAction *TTreePopUp00::entry(const QString &name) const
{
    for (QAction *a : actions())
        if (a->objectName() == name)
            return a;
    return nullptr;
}

QAction *TTreePopUp00::addEntry(const QString &name, const QString &caption, const QIcon &icon,
                                void (TTree0::*slot)())
{
    QAction *a = addAction(icon, caption);
    a->setObjectName(name);
    connect(a, &QAction::triggered, m_tree, slot);
    return a;
}
