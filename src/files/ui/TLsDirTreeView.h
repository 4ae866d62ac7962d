#pragma once

#include "files/ui/TTreeView0.h"

// The folder tree a selector drops down: its root and volumes are built when it is made.
class TLsDirTreeView : public TTreeView0
{
    Q_OBJECT

public:
    TLsDirTreeView(Prompter &prompter, QWidget *selector, bool expandRoot);

    // The path a selector takes for a node: the folder, or "Dispositiu" for the root.
    QString nodePath(const QModelIndex &index) const;
    void setExpandRoot(bool expand) { m_expandRoot = expand; }
    void Rebuild() override;

private:
    bool m_expandRoot = true;
};
