#include "options/ui/TFOutFormalOptions.h"

#include "config/ui/TWhereSaveBox.h"
#include "files/HelpContexts.h"
#include "files/ui/DialogHelp.h"
#include "options/ui/OptionsDialogParts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

TFOutFormalOptions::TFOutFormalOptions(const PresentationSettings &settings, int saveDestination,
                                       const QString &presentationName,
                                       const QString &programBaseName, QWidget *parent)
    : QDialog(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("TFOutFormalOptions"));
    setWindowTitle(QStringLiteral("Opcions dels aspectes formals (exteriors) de visualització"));
    const PresentationSettings &s = m_settings;
    auto *layout = new QVBoxLayout(this);
    CB_WithoutMenuOrButtons =
        namedCheck(this, QStringLiteral("CB_WithoutMenuOrButtons"),
                   QStringLiteral("Sense botons/&menú"), s.WithoutMenuOrButtons);
    CB_WithoutCaption = namedCheck(this, QStringLiteral("CB_WithoutCaption"),
                                   QStringLiteral("Sense barra del &títol"), s.WithoutCaption);
    layout->addWidget(CB_WithoutMenuOrButtons);
    layout->addWidget(CB_WithoutCaption);

    GB_TitleBar = namedGroup(this, QStringLiteral("GB_TitleBar"),
                             QStringLiteral("Element presents a la Barra del títol"));
    auto *title = new QVBoxLayout(GB_TitleBar);
    CB_WithITListName = namedCheck(GB_TitleBar, QStringLiteral("CB_WithITListName"),
                                   QStringLiteral("Nom de la lli&sta"), s.PresWithITListName);
    title->addWidget(CB_WithITListName);

    auto *numbering =
        namedGroup(GB_TitleBar, QStringLiteral("GB_Numbering"), QStringLiteral("Numeració"));
    auto *numberingLayout = new QVBoxLayout(numbering);
    auto *plain = new QHBoxLayout;
    CB_WithNumbering = namedCheck(numbering, QStringLiteral("CB_WithNumbering"),
                                  QStringLiteral("de la &diapositiva"), s.PresWithNumbering);
    CB_WithTotalNumbering = namedCheck(numbering, QStringLiteral("CB_WithTotalNumbering"),
                                       QStringLiteral("&total"), s.PresWithTotalNumbering);
    plain->addWidget(CB_WithNumbering);
    plain->addWidget(CB_WithTotalNumbering);
    plain->addStretch(1);
    numberingLayout->addLayout(plain);
    auto *randomNumbering = namedGroup(numbering, QStringLiteral("GB_SNumbering"),
                                       QStringLiteral("en presentació aleatòria"));
    auto *randomLayout = new QHBoxLayout(randomNumbering);
    CB_WithSNumbering = namedCheck(randomNumbering, QStringLiteral("CB_WithSNumbering"),
                                   QStringLiteral("d'&ordre"), s.PresWithSNumbering);
    CB_WithSTotalNumbering = namedCheck(randomNumbering, QStringLiteral("CB_WithSTotalNumbering"),
                                        QStringLiteral("tota&l"), s.PresWithSTotalNumbering);
    randomLayout->addWidget(CB_WithSNumbering);
    randomLayout->addWidget(CB_WithSTotalNumbering);
    randomLayout->addStretch(1);
    numberingLayout->addWidget(randomNumbering);
    title->addWidget(numbering);

    auto *ident = namedGroup(GB_TitleBar, QStringLiteral("GB_Identification"),
                             QStringLiteral("Identificació de la diapositiva"));
    auto *identLayout = new QHBoxLayout(ident);
    CB_WithITName = namedCheck(ident, QStringLiteral("CB_WithITName"), QStringLiteral("&Nom"),
                               s.PresWithITName);
    CB_WithITPath = namedCheck(ident, QStringLiteral("CB_WithITPath"), QStringLiteral("&Via"),
                               s.PresWithITPath);
    CB_WithITExt = namedCheck(ident, QStringLiteral("CB_WithITExt"), QStringLiteral("&Extensió"),
                              s.PresWithITExt);
    identLayout->addWidget(CB_WithITName);
    identLayout->addWidget(CB_WithITPath);
    identLayout->addWidget(CB_WithITExt);
    identLayout->addStretch(1);
    title->addWidget(ident);
    CB_WithIAmpliationRatio =
        namedCheck(GB_TitleBar, QStringLiteral("CB_WithIAmpliationRatio"),
                   QStringLiteral("&Ampliació de la imatge"), s.PresWithIAmpliationRatio);
    CB_WithKeyInfo = namedCheck(GB_TitleBar, QStringLiteral("CB_WithKeyInfo"),
                                QStringLiteral("&Informació de les tecles"), s.PresWithKeyInfo);
    title->addWidget(CB_WithIAmpliationRatio);
    title->addWidget(CB_WithKeyInfo);
    layout->addWidget(GB_TitleBar);

    m_where = new TWhereSaveBox(saveDestination, presentationName, programBaseName,
                                TWhereSaveBox::HintStyle::AcceptAndSave, this);
    layout->addWidget(m_where);
    connect(m_where, &TWhereSaveBox::okAndSave, this, [this] {
        m_saveNow = true;
        accept();
    });
    layout->addWidget(optionsButtons(this, m_help));

    for (QCheckBox *c : {CB_WithoutCaption, CB_WithNumbering, CB_WithSNumbering, CB_WithITName})
        connect(c, &QCheckBox::toggled, this, [this] { applyEnabling(); });
    applyEnabling();
}

void TFOutFormalOptions::setHelp(HelpRequester *help)
{
    m_help->setHelp(help, helpNumber(HelpContext::OutFormalOptions));
}

int TFOutFormalOptions::saveDestination() const
{
    return m_where->destination();
}

void TFOutFormalOptions::applyEnabling()
{
    // Without a title bar nothing in it can be chosen.
    const bool titleBar = !CB_WithoutCaption->isChecked();
    GB_TitleBar->setEnabled(titleBar);
    CB_WithTotalNumbering->setEnabled(CB_WithNumbering->isChecked());
    CB_WithSTotalNumbering->setEnabled(CB_WithSNumbering->isChecked());
    const bool name = CB_WithITName->isChecked() && titleBar;
    CB_WithITPath->setEnabled(name);
    CB_WithITExt->setEnabled(name);
}

void TFOutFormalOptions::accept()
{
    PresentationSettings &s = m_settings;
    s.WithoutMenuOrButtons = CB_WithoutMenuOrButtons->isChecked();
    s.WithoutCaption = CB_WithoutCaption->isChecked();
    s.PresWithITListName = CB_WithITListName->isChecked();
    s.PresWithNumbering = CB_WithNumbering->isChecked();
    s.PresWithTotalNumbering = CB_WithTotalNumbering->isChecked();
    s.PresWithSNumbering = CB_WithSNumbering->isChecked();
    s.PresWithSTotalNumbering = CB_WithSTotalNumbering->isChecked();
    s.PresWithITName = CB_WithITName->isChecked();
    s.PresWithITPath = CB_WithITPath->isChecked();
    s.PresWithITExt = CB_WithITExt->isChecked();
    s.PresWithIAmpliationRatio = CB_WithIAmpliationRatio->isChecked();
    s.PresWithKeyInfo = CB_WithKeyInfo->isChecked();
    QDialog::accept();
}
