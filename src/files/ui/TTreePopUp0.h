#pragma once

#include "files/ui/TTreePopUp00.h"

// The generic tree menu: collapse, expand, write out the expanded branch, find and find next.
class TTreePopUp0 : public TTreePopUp00
{
    Q_OBJECT

public:
    explicit TTreePopUp0(TTree0 *tree);

protected:
    // With `images` false the entries carry no pictures: the owner supplies them.
    TTreePopUp0(TTree0 *tree, bool images);
    void updateEntries() override;
};
