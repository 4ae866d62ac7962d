#pragma once

#include "editors/ui/TFEdiOptions.h"

class QRadioButton;

// The slide list editor's "Opcions d'edició": the shared options, and what a new title or image
// slide gets, where numbers go in file names, whether the index and the sketch carry numbers,
// and which text boxes get their first letter in upper case.
class TFEdiOptionsSAL : public TFEdiOptions
{
    Q_OBJECT

public:
    // `noNumberForSketchIndex` is the editor's choice for the index and the sketch, kept while
    // the program runs rather than in the options.
    TFEdiOptionsSAL(const ProgramOptions &options, bool noNumberForSketchIndex, Prompter &prompter,
                    QWidget *parent = nullptr);

    // As accepted; the value given while the dialog has not been accepted.
    bool noNumberForSketchIndex() const { return m_noNumbers; }

    QCheckBox *CB_PWithAnswer;
    QCheckBox *CB_PWithPromptForAnswer;
    QCheckBox *CB_PRandomAnswer;
    QRadioButton *RB_NumberAtStart;
    QRadioButton *RB_NumberAtEnd;
    QCheckBox *CB_NoNumberForSketchIndex;
    QCheckBox *CB_UpCase1stCharUpPanel;
    QCheckBox *CB_UpCase1stCharDownPanel;

protected:
    void storeControls(ProgramOptions &options) override;

private:
    bool m_noNumbers;
};
