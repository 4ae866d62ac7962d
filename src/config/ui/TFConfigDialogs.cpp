#include "config/ui/TFConfigDialogs.h"

#include "config/ui/TWhereSaveBox.h"
#include "files/FileNames.h"
#include "files/ui/DialogHelp.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QButtonGroup *radioGroup(QWidget *parent, QVBoxLayout *into, const QString &title,
                         const QStringList &captions, int checked, const QString &name)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(name);
    auto *layout = new QVBoxLayout(box);
    auto *group = new QButtonGroup(box);
    for (int i = 0; i < captions.size(); ++i) {
        auto *b = new QRadioButton(captions[i], box);
        group->addButton(b, i);
        layout->addWidget(b);
    }
    if (QAbstractButton *b = group->button(checked))
        b->setChecked(true);
    into->addWidget(box);
    return group;
}

// OK, Cancel and, when `help` is given, "Ajuda", which opens the dialog's help context.
QDialogButtonBox *standardButtons(QDialog *dialog, DialogHelp **help = nullptr)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("D'acord"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel·la"));
    if (help) {
        QPushButton *b = buttons->addButton(QStringLiteral("Ajuda"), QDialogButtonBox::HelpRole);
        b->setObjectName(QStringLiteral("BB_Help"));
        *help = new DialogHelp(dialog, b);
    }
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

TFSaveLoadIndivConfig0ptions::TFSaveLoadIndivConfig0ptions(const Values &v,
                                                           const QString &currentIni, bool modified,
                                                           const QString &presentationName,
                                                           const QString &programBaseName,
                                                           QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TFSaveLoadIndivConfig0ptions"));
    setWindowTitle(QStringLiteral("Configuració de la presentació"));
    auto *layout = new QVBoxLayout(this);
    const QString shownIni =
        currentIni.isEmpty() ? programBaseName + QStringLiteral(".ini") : currentIni;
    m_current = new QLabel(
        extractFileName(shownIni) + (modified ? QStringLiteral(" (modificat)") : QString()), this);
    m_current->setObjectName(QStringLiteral("L_CurrentIni"));
    m_current->setToolTip(shownIni);
    layout->addWidget(m_current);
    m_save =
        radioGroup(this, layout, QStringLiteral("Quan es tanca una presentació:"),
                   {QStringLiteral("La &desa sense preguntar"),
                    QStringLiteral("&Pregunta per si es vol desar"), QStringLiteral("&No la desa")},
                   v.SaveIndividualConfigO, QStringLiteral("GB_InitOptions"));
    m_load = radioGroup(
        this, layout, QStringLiteral("Quan es carrega una presentació, utilitza la configuració:"),
        {QStringLiteral("&individual de la presentació (si existeix)"),
         QStringLiteral("&actual (no carregar-la, tot i si existeix)")},
        v.LoadIndividualConfig ? 0 : 1, QStringLiteral("RG_LoadIndivConfig"));
    // A group box title is a single line: the two lines that lead into it stand above it.
    auto *leadIn = new QLabel(
        QStringLiteral("Quan no s'ha desat individualment,\ni se surt del programa, "), this);
    leadIn->setObjectName(QStringLiteral("L_SaveDefaultConfigOnClose"));
    layout->addWidget(leadIn);
    m_defaultOnClose =
        radioGroup(this, layout, QStringLiteral("desar la configuració per defecte?:"),
                   {QStringLiteral("Pregunta si es &vol desar"), QStringLiteral("N&o la desa")},
                   v.SaveDefaultConfigOnCloseWithPrompt ? 0 : 1,
                   QStringLiteral("RG_SaveDefaultConfigOnClose"));
    m_newPres = radioGroup(
        this, layout,
        QStringLiteral("Quan es crea una nova presentació, utilitza la configuració:"),
        {QStringLiteral("a&ctual"), QStringLiteral("p&er defecte (%1.ini)").arg(programBaseName)},
        v.LastConfigWhenNewPres ? 0 : 1, QStringLiteral("RG_ConfigWhenNewPres"));
    auto *saveBox = new QGroupBox(QStringLiteral("Desa ara:"), this);
    saveBox->setObjectName(QStringLiteral("GB_Save"));
    auto *saveLayout = new QVBoxLayout(saveBox);
    m_where = new TWhereSaveBox(v.SaveDestination, presentationName, programBaseName,
                                TWhereSaveBox::HintStyle::SaveCurrent, saveBox);
    saveLayout->addWidget(m_where);
    layout->addWidget(saveBox);
    connect(m_where, &TWhereSaveBox::okAndSave, this, [this] {
        m_saveNow = true;
        accept();
    });
    layout->addWidget(standardButtons(this, &m_help));
}

void TFSaveLoadIndivConfig0ptions::setHelp(HelpRequester *help, int context)
{
    m_help->setHelp(help, context);
}

TFSaveLoadIndivConfig0ptions::Values TFSaveLoadIndivConfig0ptions::values() const
{
    Values v;
    v.SaveIndividualConfigO = m_save->checkedId();
    v.LoadIndividualConfig = m_load->checkedId() == 0;
    v.SaveDefaultConfigOnCloseWithPrompt = m_defaultOnClose->checkedId() == 0;
    v.LastConfigWhenNewPres = m_newPres->checkedId() == 0;
    v.SaveDestination = m_where->destination();
    return v;
}

TFInitialOptions::TFInitialOptions(int automaticInit, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFInitialOptions"));
    setWindowTitle(QStringLiteral("Opcions d'inici"));
    auto *layout = new QVBoxLayout(this);
    m_group = radioGroup(
        this, layout, QStringLiteral("Quan s'obre el programa:"),
        {QStringLiteral("&No fer res"), QStringLiteral("&Carregar l'última presentació desada"),
         QStringLiteral("&Id. i iniciar-ne la presentació")},
        (automaticInit >= 0 && automaticInit <= 2) ? automaticInit : 0, QStringLiteral("GB_Init"));
    layout->addWidget(standardButtons(this, &m_help));
}

void TFInitialOptions::setHelp(HelpRequester *help, int context)
{
    m_help->setHelp(help, context);
}

int TFInitialOptions::automaticInit() const
{
    return m_group->checkedId();
}
