#pragma once

#include "files/ui/TTreePopUp0.h"

// The generic tree menu for an owner that gives the entries their pictures itself.
class TDirTreePopUpWithoutImages : public TTreePopUp0
{
    Q_OBJECT

public:
    explicit TDirTreePopUpWithoutImages(TTree0 *tree);
};
