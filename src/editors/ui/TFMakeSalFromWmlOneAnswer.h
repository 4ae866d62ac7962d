#pragma once

#include "editors/ui/TFMakeSalFromSWml0.h"

// A words table's quiz whose slides wait for the one answer, typed or recalled.
class TFMakeSalFromWmlOneAnswer : public TFMakeSalFromSWml0
{
    Q_OBJECT

public:
    // `swapped`: the word is the question and the meaning the answer.
    TFMakeSalFromWmlOneAnswer(EditorServices &services, MeaningTable &table, bool swapped,
                              QWidget *parent = nullptr);

protected:
    GenerationChoices choices() const override;
    HelpContext helpContext() const override { return HelpContext::WordsOneAnswerQuiz; }

private:
    bool m_swapped;
};
