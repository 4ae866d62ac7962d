#pragma once

#include "editors/ui/TFMakeSalFromSWml.h"

class QLineEdit;

// A pictures and sounds table's quiz with every meaning as a radio button, under an optional
// generic question.
class TFMakeSalFromSmlWithRadioButtons : public TFMakeSalFromSWml
{
    Q_OBJECT

public:
    TFMakeSalFromSmlWithRadioButtons(EditorServices &services, MeaningTable &table,
                                     QWidget *parent = nullptr);

    QLineEdit *E_Prompt = nullptr;

protected:
    GenerationChoices choices() const override;
    HelpContext helpContext() const override { return HelpContext::PicturesRadioQuiz; }
};
