#pragma once

#include "editors/ui/TFMakeSalFromSWml0.h"

class QCheckBox;

// The generation dialogs whose slides show every answer as a radio button: the answers may come
// in random order.
class TFMakeSalFromSWml : public TFMakeSalFromSWml0
{
    Q_OBJECT

public:
    TFMakeSalFromSWml(EditorServices &services, MeaningTable &table, const QString &randomCaption,
                      QWidget *parent = nullptr);

    QCheckBox *CB_RandomAnswers = nullptr;

protected:
    GenerationChoices choices() const override;
};
