#include "files/ui/TFMakeLinkProgram.h"

#include "files/HelpRequester.h"
#include "files/ui/DialogHelp.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFMakeLinkProgram::TFMakeLinkProgram(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFMakeLinkProgram"));
    setWindowTitle(QStringLiteral("Creació d'una drecera al programa"));
    auto *group = new QGroupBox(QStringLiteral("Directoris preassignats"), this);
    group->setObjectName(QStringLiteral("RG_Dirs"));
    m_programs = new QRadioButton(QStringLiteral("&Menú de programes"), group);
    m_programs->setObjectName(QStringLiteral("RB_Programs"));
    m_startMenu = new QRadioButton(QStringLiteral("Menú d'&inici"), group);
    m_startMenu->setObjectName(QStringLiteral("RB_StartMenu"));
    m_desktop = new QRadioButton(QStringLiteral("&Escriptori"), group);
    m_desktop->setObjectName(QStringLiteral("RB_Desktop"));
    m_desktop->setChecked(true);
    auto *radios = new QVBoxLayout(group);
    radios->addWidget(m_programs);
    radios->addWidget(m_startMenu);
    radios->addWidget(m_desktop);

    auto *buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("D'acord"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("BB_Ok"));
    m_ok->setDefault(true);
    QPushButton *cancel =
        buttons->addButton(QStringLiteral("Cancel·la"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("BB_Cancel"));
    m_helpButton = buttons->addButton(QStringLiteral("Ajuda"), QDialogButtonBox::HelpRole);
    m_helpButton->setObjectName(QStringLiteral("BB_Help"));
    m_helpButton->setEnabled(false);
    DialogHelp::bindHelpKey(this, m_helpButton);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (m_help)
            m_help->showHelpContext(m_helpContext);
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QRadioButton *TFMakeLinkProgram::folderButton(SpecialFolder folder) const
{
    switch (folder) {
    case SpecialFolder::Programs: return m_programs;
    case SpecialFolder::StartMenu: return m_startMenu;
    case SpecialFolder::DesktopDirectory: return m_desktop;
    }
    return m_desktop;
}

SpecialFolder TFMakeLinkProgram::folder() const
{
    if (m_programs->isChecked())
        return SpecialFolder::Programs;
    if (m_startMenu->isChecked())
        return SpecialFolder::StartMenu;
    return SpecialFolder::DesktopDirectory;
}

void TFMakeLinkProgram::setFolder(SpecialFolder folder)
{
    folderButton(folder)->setChecked(true);
}

void TFMakeLinkProgram::setHelp(HelpRequester *help, int context)
{
    m_help = help;
    m_helpContext = context;
    m_helpButton->setEnabled(help != nullptr);
}
