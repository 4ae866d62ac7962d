#pragma once

#include "editors/ui/TFMakeSalFromSWml0.h"

class QLineEdit;

// A pictures and sounds table's quiz whose slides wait for the one meaning, typed or recalled,
// under an optional generic question.
class TFMakeSalFromSmlOneAnswer : public TFMakeSalFromSWml0
{
    Q_OBJECT

public:
    TFMakeSalFromSmlOneAnswer(EditorServices &services, MeaningTable &table,
                              QWidget *parent = nullptr);

    QLineEdit *E_Prompt = nullptr;

protected:
    GenerationChoices choices() const override;
    HelpContext helpContext() const override { return HelpContext::PicturesOneAnswerQuiz; }
};
