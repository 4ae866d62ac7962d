#include "files/ui/TDirTreePopUpWithoutImages.h"

TDirTreePopUpWithoutImages::TDirTreePopUpWithoutImages(TTree0 *tree) : TTreePopUp0(tree, false) {}
