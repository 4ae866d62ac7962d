#include "editors/ui/TFEdiOptionsSML.h"

#include "options/ui/OptionsDialogParts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

TFEdiOptionsSML::TFEdiOptionsSML(const ProgramOptions &options, Prompter &prompter, QWidget *parent)
    : TFEdiOptions(options, prompter, HelpContext::SoundTableEditOptions, parent)
{
    setObjectName(QStringLiteral("TFEdiOptionsSML"));
    QVBoxLayout *column = extraColumn();
    QGroupBox *sort =
        namedGroup(this, QStringLiteral("RG_SortFN"), QStringLiteral("Ordenació de la llista"));
    auto *sortLayout = new QVBoxLayout(sort);
    const QString orders[4] = {
        QStringLiteral("Nom, extensió i directori"), QStringLiteral("Directori, nom i extensió"),
        QStringLiteral("Directori, extensió i nom"), QStringLiteral("Extensió, nom i directori")};
    for (int i = 0; i < 4; ++i) {
        RB_Sort[i] = new QRadioButton(orders[i], sort);
        RB_Sort[i]->setObjectName(QStringLiteral("RB_Sort%1").arg(i));
        sortLayout->addWidget(RB_Sort[i]);
    }
    RB_Sort[std::clamp(options.EdiSMLSortFN, 0, 3)]->setChecked(true);
    column->addWidget(sort);
    CB_CopyAutomaticFN =
        namedCheck(this, QStringLiteral("CB_CopyAutomaticFN"),
                   QStringLiteral("Assignar automàticament el nom de l'arxiu\nal significat/títol "
                                  "(en afegir un arxiu)"),
                   options.EdiSMLCopyAutomaticFN);
    column->addWidget(CB_CopyAutomaticFN);
    column->addStretch();
}

void TFEdiOptionsSML::storeControls(ProgramOptions &options)
{
    TFEdiOptions::storeControls(options);
    for (int i = 0; i < 4; ++i)
        if (RB_Sort[i]->isChecked())
            options.EdiSMLSortFN = i;
    options.EdiSMLCopyAutomaticFN = CB_CopyAutomaticFN->isChecked();
}
