#pragma once

#include "editors/ui/TFEdiOptions.h"

class QRadioButton;

// The images/sounds table editor's "Opcions d'edició": the shared options, the order of the
// file sorts and whether an added file names its meaning.
class TFEdiOptionsSML : public TFEdiOptions
{
    Q_OBJECT

public:
    TFEdiOptionsSML(const ProgramOptions &options, Prompter &prompter, QWidget *parent = nullptr);

    // "Ordenació de la llista", by EdiSMLSortFN.
    QRadioButton *RB_Sort[4] = {};
    QCheckBox *CB_CopyAutomaticFN;

protected:
    void storeControls(ProgramOptions &options) override;
};
