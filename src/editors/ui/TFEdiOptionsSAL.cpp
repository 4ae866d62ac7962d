#include "editors/ui/TFEdiOptionsSAL.h"

#include "options/ui/OptionsDialogParts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

TFEdiOptionsSAL::TFEdiOptionsSAL(const ProgramOptions &options, bool noNumberForSketchIndex,
                                 Prompter &prompter, QWidget *parent)
    : TFEdiOptions(options, prompter, HelpContext::SlideListEditOptions, parent),
      m_noNumbers(noNumberForSketchIndex)
{
    setObjectName(QStringLiteral("TFEdiOptionsSAL"));
    QVBoxLayout *column = extraColumn();

    QGroupBox *append =
        namedGroup(this, QStringLiteral("GB_OnAppend"),
                   QStringLiteral("Quan s'afegeix una diapositiva de titol o imatge:"));
    auto *appendLayout = new QVBoxLayout(append);
    CB_PWithAnswer =
        namedCheck(append, QStringLiteral("CB_PWithAnswer"),
                   QStringLiteral("Activar presència de respostes"), options.OnAppend_PWithAnswer);
    CB_PWithPromptForAnswer =
        namedCheck(append, QStringLiteral("CB_PWithPromptForAnswer"),
                   QStringLiteral("... amb pregunta"), options.OnAppend_PWithPromptForAnswer);
    CB_PRandomAnswer = namedCheck(append, QStringLiteral("CB_PRandomAnswer"),
                                  QStringLiteral("... amb respostes desordenades"),
                                  options.OnAppend_PRandomAnswer);
    appendLayout->addWidget(CB_PWithAnswer);
    appendLayout->addWidget(CB_PWithPromptForAnswer);
    appendLayout->addWidget(CB_PRandomAnswer);
    column->addWidget(append);

    QGroupBox *numbers =
        namedGroup(this, QStringLiteral("RG_SetPosNumberFN"),
                   QStringLiteral("En posar o treure números als arxius, fer-ho:"));
    auto *numbersLayout = new QVBoxLayout(numbers);
    RB_NumberAtStart = new QRadioButton(QStringLiteral("Del principi"), numbers);
    RB_NumberAtStart->setObjectName(QStringLiteral("RB_NumberAtStart"));
    RB_NumberAtEnd = new QRadioButton(QStringLiteral("Del final"), numbers);
    RB_NumberAtEnd->setObjectName(QStringLiteral("RB_NumberAtEnd"));
    (options.SetPosNumberFNAtEnd ? RB_NumberAtEnd : RB_NumberAtStart)->setChecked(true);
    numbersLayout->addWidget(RB_NumberAtStart);
    numbersLayout->addWidget(RB_NumberAtEnd);
    column->addWidget(numbers);

    CB_NoNumberForSketchIndex =
        namedCheck(this, QStringLiteral("CB_NoNumberForSketchIndex"),
                   QStringLiteral("No posar números a l'índex o guió"), noNumberForSketchIndex);
    column->addWidget(CB_NoNumberForSketchIndex);

    QGroupBox *upper = namedGroup(this, QStringLiteral("GB_UpCase1stChar"),
                                  QStringLiteral("A majúscules la 1a lletra del 1r paràgraf del:"));
    auto *upperLayout = new QVBoxLayout(upper);
    CB_UpCase1stCharUpPanel =
        namedCheck(upper, QStringLiteral("CB_UpCase1stCharUpPanel"),
                   QStringLiteral("plafó de dalt"), options.OnBPostEdit_UpCase1stCharUpP);
    CB_UpCase1stCharDownPanel =
        namedCheck(upper, QStringLiteral("CB_UpCase1stCharDownPanel"),
                   QStringLiteral("plafó de baix"), options.OnBPostEdit_UpCase1stCharDownP);
    upperLayout->addWidget(CB_UpCase1stCharUpPanel);
    upperLayout->addWidget(CB_UpCase1stCharDownPanel);
    column->addWidget(upper);
    column->addStretch();
}

void TFEdiOptionsSAL::storeControls(ProgramOptions &options)
{
    TFEdiOptions::storeControls(options);
    options.OnAppend_PWithAnswer = CB_PWithAnswer->isChecked();
    options.OnAppend_PWithPromptForAnswer = CB_PWithPromptForAnswer->isChecked();
    options.OnAppend_PRandomAnswer = CB_PRandomAnswer->isChecked();
    options.SetPosNumberFNAtEnd = RB_NumberAtEnd->isChecked();
    options.OnBPostEdit_UpCase1stCharUpP = CB_UpCase1stCharUpPanel->isChecked();
    options.OnBPostEdit_UpCase1stCharDownP = CB_UpCase1stCharDownPanel->isChecked();
    m_noNumbers = CB_NoNumberForSketchIndex->isChecked();
}
