#include "editors/ui/TFMakeSalFromWmlWithRadioButtons.h"

#include "files/Prompter.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

TFMakeSalFromWmlWithRadioButtons::TFMakeSalFromWmlWithRadioButtons(EditorServices &services,
                                                                   MeaningTable &table,
                                                                   bool swapped, QWidget *parent)
    : TFMakeSalFromSWml(services, table, QStringLiteral("Pre&sentació aleatòria de respostes"),
                        parent),
      m_swapped(swapped)
{
    setObjectName(QStringLiteral("TFMakeSalFromWmlWithRadioButtons"));
    auto *group = new QGroupBox(QStringLiteral("P&regunta"), this);
    group->setObjectName(QStringLiteral("RG_Prompt"));
    auto *l = new QHBoxLayout(group);
    RB_IncludePrompt = new QRadioButton(QStringLiteral("incloure-la"), group);
    RB_IncludePrompt->setObjectName(QStringLiteral("RB_IncludePrompt"));
    RB_ExcludePrompt = new QRadioButton(QStringLiteral("ometre-la"), group);
    RB_ExcludePrompt->setObjectName(QStringLiteral("RB_ExcludePrompt"));
    RB_GenericPrompt = new QRadioButton(QStringLiteral("genèrica"), group);
    RB_GenericPrompt->setObjectName(QStringLiteral("RB_GenericPrompt"));
    E_Prompt = new QLineEdit(group);
    E_Prompt->setObjectName(QStringLiteral("E_Prompt"));
    RB_IncludePrompt->setChecked(true);
    E_Prompt->setEnabled(false);
    for (QWidget *w :
         {static_cast<QWidget *>(RB_IncludePrompt), static_cast<QWidget *>(RB_ExcludePrompt),
          static_cast<QWidget *>(RB_GenericPrompt), static_cast<QWidget *>(E_Prompt)})
        l->addWidget(w);
    connect(RB_GenericPrompt, &QRadioButton::toggled, E_Prompt, &QLineEdit::setEnabled);
    variantArea()->insertWidget(0, group);
}

GenerationChoices TFMakeSalFromWmlWithRadioButtons::choices() const
{
    GenerationChoices c = TFMakeSalFromSWml::choices();
    c.swapped = m_swapped;
    c.prompt = RB_ExcludePrompt->isChecked()   ? PromptChoice::Omit
               : RB_GenericPrompt->isChecked() ? PromptChoice::Generic
                                               : PromptChoice::Include;
    c.genericPrompt = E_Prompt->text();
    return c;
}

bool TFMakeSalFromWmlWithRadioButtons::choicesAccepted()
{
    const Fallible<void> prompt = CheckGenericPrompt(choices());
    if (prompt.ok())
        return true;
    prompter().ShowError(prompt.error());
    E_Prompt->setFocus();
    return false;
}
