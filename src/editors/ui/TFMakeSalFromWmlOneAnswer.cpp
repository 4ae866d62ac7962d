#include "editors/ui/TFMakeSalFromWmlOneAnswer.h"

TFMakeSalFromWmlOneAnswer::TFMakeSalFromWmlOneAnswer(EditorServices &services, MeaningTable &table,
                                                     bool swapped, QWidget *parent)
    : TFMakeSalFromSWml0(services, table, QuizAnswers::Single, parent), m_swapped(swapped)
{
    setObjectName(QStringLiteral("TFMakeSalFromWmlOneAnswer"));
}

GenerationChoices TFMakeSalFromWmlOneAnswer::choices() const
{
    GenerationChoices c = TFMakeSalFromSWml0::choices();
    c.swapped = m_swapped;
    return c;
}
