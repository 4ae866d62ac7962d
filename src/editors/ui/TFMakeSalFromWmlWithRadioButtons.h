#pragma once

#include "editors/ui/TFMakeSalFromSWml.h"

class QLineEdit;
class QRadioButton;

// A words table's quiz with every word (or meaning) as a radio button: the question is the
// entry's own, none, or one generic text.
class TFMakeSalFromWmlWithRadioButtons : public TFMakeSalFromSWml
{
    Q_OBJECT

public:
    // `swapped`: the word is the question and the meaning the answer.
    TFMakeSalFromWmlWithRadioButtons(EditorServices &services, MeaningTable &table, bool swapped,
                                     QWidget *parent = nullptr);

    QRadioButton *RB_IncludePrompt = nullptr, *RB_ExcludePrompt = nullptr,
                 *RB_GenericPrompt = nullptr;
    QLineEdit *E_Prompt = nullptr;

protected:
    GenerationChoices choices() const override;
    bool choicesAccepted() override;
    HelpContext helpContext() const override { return HelpContext::WordsRadioQuiz; }

private:
    bool m_swapped;
};
