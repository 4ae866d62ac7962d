#include "files/ui/TTreePopUp0.h"

#include "files/ui/TTree0.h"

#include <QStyle>

TTreePopUp0::TTreePopUp0(TTree0 *tree) : TTreePopUp0(tree, true) {}

TTreePopUp0::TTreePopUp0(TTree0 *tree, bool images) : TTreePopUp00(tree)
{
    QStyle *s = tree->style();
    const auto icon = [&](QStyle::StandardPixmap p) {
        return images ? s->standardIcon(p) : QIcon();
    };
    addEntry(QStringLiteral("FullCollapse_0"), QStringLiteral("&Col·lapsa tot l'arbre"),
             icon(QStyle::SP_ArrowUp), &TTree0::FullCollapse);
    addEntry(QStringLiteral("FullExpand_0"), QStringLiteral("&Expandeix tot el directori"),
             icon(QStyle::SP_ArrowDown), &TTree0::FullExpand);
    addEntry(QStringLiteral("Write_0"), QStringLiteral("&Escriu els subdirectoris expandits"),
             icon(QStyle::SP_FileDialogDetailedView), &TTree0::WriteExpanded);
    addEntry(QStringLiteral("Find_0"), QStringLiteral("&Busca un directori..."),
             icon(QStyle::SP_FileDialogContentsView), &TTree0::FindFolder);
    addEntry(QStringLiteral("FindNext_0"), QStringLiteral("&Busca el següent"),
             icon(QStyle::SP_ArrowForward), &TTree0::FindNextFolder);
}

void TTreePopUp0::updateEntries()
{
    // The write-out needs the text list the owner gave the tree.
    entry(QStringLiteral("Write_0"))->setEnabled(tree()->writeList() != nullptr);
    const bool idle = !tree()->jobRunning();
    for (const char *name : {"FullExpand_0", "Find_0", "FindNext_0"})
        entry(QLatin1String(name))->setEnabled(idle);
}
