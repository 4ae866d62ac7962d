#include "editors/ui/TFMakeSalFromSmlWithRadioButtons.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TFMakeSalFromSmlWithRadioButtons::TFMakeSalFromSmlWithRadioButtons(EditorServices &services,
                                                                   MeaningTable &table,
                                                                   QWidget *parent)
    : TFMakeSalFromSWml(services, table, QStringLiteral("P&resentació aleatòria de respostes"),
                        parent)
{
    setObjectName(QStringLiteral("TFMakeSalFromSmlWithRadioButtons"));
    auto *form = new QFormLayout;
    E_Prompt = new QLineEdit(this);
    E_Prompt->setObjectName(QStringLiteral("E_Prompt"));
    form->addRow(QStringLiteral("Pregunta genèrica"), E_Prompt);
    variantArea()->insertLayout(0, form);
}

GenerationChoices TFMakeSalFromSmlWithRadioButtons::choices() const
{
    GenerationChoices c = TFMakeSalFromSWml::choices();
    c.prompt = E_Prompt->text().isEmpty() ? PromptChoice::Omit : PromptChoice::Generic;
    c.genericPrompt = E_Prompt->text();
    return c;
}
