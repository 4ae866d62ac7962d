#pragma once

#include "files/ui/TTreePopUp00.h"

class TLsDirTree20;

// The docked tree's own menu: new, rename and delete folder, the size of a branch, collapse and
// expand.
class TLsDirTree20PopUp : public TTreePopUp00
{
    Q_OBJECT

public:
    explicit TLsDirTree20PopUp(TLsDirTree20 *tree);

    // Enables the entries for the selected node (the menu does it as it opens).
    void updateEntries() override;

private:
    TLsDirTree20 *m_dirTree;
};
