#include "editors/ui/TFMakeSalFromSmlOneAnswer.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TFMakeSalFromSmlOneAnswer::TFMakeSalFromSmlOneAnswer(EditorServices &services, MeaningTable &table,
                                                     QWidget *parent)
    : TFMakeSalFromSWml0(services, table, QuizAnswers::Single, parent)
{
    setObjectName(QStringLiteral("TFMakeSalFromSmlOneAnswer"));
    auto *form = new QFormLayout;
    E_Prompt = new QLineEdit(this);
    E_Prompt->setObjectName(QStringLiteral("E_Prompt"));
    auto *label = new QLabel(QStringLiteral("P&regunta genèrica"), this);
    label->setBuddy(E_Prompt);
    form->addRow(label, E_Prompt);
    variantArea()->insertLayout(0, form);
}

GenerationChoices TFMakeSalFromSmlOneAnswer::choices() const
{
    GenerationChoices c = TFMakeSalFromSWml0::choices();
    c.prompt = E_Prompt->text().isEmpty() ? PromptChoice::Omit : PromptChoice::Generic;
    c.genericPrompt = E_Prompt->text();
    return c;
}
