#include "editors/ui/TFMakeSalFromSWml.h"

#include <QCheckBox>
#include <QVBoxLayout>

TFMakeSalFromSWml::TFMakeSalFromSWml(EditorServices &services, MeaningTable &table,
                                     const QString &randomCaption, QWidget *parent)
    : TFMakeSalFromSWml0(services, table, QuizAnswers::Radio, parent)
{
    CB_RandomAnswers = new QCheckBox(randomCaption, this);
    CB_RandomAnswers->setObjectName(QStringLiteral("CB_RandomAnswers"));
    variantArea()->addWidget(CB_RandomAnswers);
}

GenerationChoices TFMakeSalFromSWml::choices() const
{
    GenerationChoices c = TFMakeSalFromSWml0::choices();
    c.randomAnswers = CB_RandomAnswers->isChecked();
    return c;
}
