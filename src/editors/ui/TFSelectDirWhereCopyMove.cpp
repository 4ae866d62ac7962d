#include "editors/ui/TFSelectDirWhereCopyMove.h"

#include "files/FileChecks.h"
#include "files/HelpContexts.h"
#include "files/Prompter.h"
#include "files/ui/DialogHelp.h"
#include "files/ui/TLsDirTree20.h"
#include "options/ui/OptionsDialogParts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

TFSelectDirWhereCopyMove::TFSelectDirWhereCopyMove(const CopyMoveChoices &last, Prompter &prompter,
                                                   Shell &shell, QWidget *parent)
    : TFSelectDirWhereCopyMove(last, prompter, shell, TFileAction::faMove, parent)
{}

TFSelectDirWhereCopyMove::TFSelectDirWhereCopyMove(const CopyMoveChoices &last, Prompter &prompter,
                                                   Shell &shell, TFileAction action,
                                                   QWidget *parent)
    : QDialog(parent), m_prompter(prompter), m_action(action), m_last(last), m_isOnCD(IsOnCD)
{
    setObjectName(QStringLiteral("TFSelectDirWhereCopyMove"));
    setWindowTitle(QStringLiteral("Selecció del directori de destí"));
    setSizeGripEnabled(true);
    auto *layout = new QVBoxLayout(this);
    m_tree = new TLsDirTree20(prompter, shell, this);
    m_tree->setObjectName(QStringLiteral("LsDirTree"));
    m_tree->OpenPath(last.destination);
    layout->addWidget(m_tree, 1);

    const bool copying = action == TFileAction::faCopy;
    QGroupBox *group =
        namedGroup(this, QStringLiteral("RG_WhereSend"),
                   copying ? QStringLiteral("Si copia des de directoris diferents, els envia:")
                           : QStringLiteral("Si mou des de directoris diferents, els envia:"));
    auto *groupLayout = new QVBoxLayout(group);
    RB_OneDirectory = new QRadioButton(QStringLiteral("Tots al mateix directori"), group);
    RB_OneDirectory->setObjectName(QStringLiteral("RB_OneDirectory"));
    RB_ReproduceTree = new QRadioButton(QStringLiteral("Reproduint l'arbre de direcs."), group);
    RB_ReproduceTree->setObjectName(QStringLiteral("RB_ReproduceTree"));
    (last.allToOneDirectory ? RB_OneDirectory : RB_ReproduceTree)->setChecked(true);
    groupLayout->addWidget(RB_OneDirectory);
    groupLayout->addWidget(RB_ReproduceTree);
    layout->addWidget(group);

    m_options = new QVBoxLayout;
    CB_CopyPresentationFiles =
        namedCheck(this, QStringLiteral("CB_CopyPresentationFiles"),
                   QStringLiteral("Copiar-hi els arxius de la presentació (sal, ini, sml, wml)"),
                   last.copyPresentationFiles);
    m_options->addWidget(CB_CopyPresentationFiles);
    layout->addLayout(m_options);
    layout->addWidget(optionsButtons(this, m_help));
    fitToContents();
}

void TFSelectDirWhereCopyMove::fitToContents()
{
    // Never so small that a caption is cut; room for the tree to show a few levels.
    setMinimumSize(layout()->minimumSize().expandedTo(QSize(317, 300)));
    resize(size().expandedTo(sizeHint()).expandedTo(QSize(360, 420)));
}

void TFSelectDirWhereCopyMove::setHelp(HelpRequester *help)
{
    m_help->setHelp(help,
                    helpNumber(m_action == TFileAction::faCopy ? HelpContext::CopyDestination
                                                               : HelpContext::MoveDestination));
}

CopyMoveChoices TFSelectDirWhereCopyMove::choices() const
{
    CopyMoveChoices c = m_last;
    c.destination = m_tree->SelectedPath();
    c.allToOneDirectory = RB_OneDirectory->isChecked();
    c.copyPresentationFiles = CB_CopyPresentationFiles->isChecked();
    return c;
}

void TFSelectDirWhereCopyMove::accept()
{
    // A node reached with the keys counts as chosen: OK takes what the user sees selected.
    if (const QModelIndex node = m_tree->selectedNode(); node.isValid())
        m_tree->chooseNode(node);
    if (const Fallible<void> fit = checkCopyDestination(m_tree->SelectedPath(), m_isOnCD);
        !fit.ok()) {
        m_prompter.ShowError(fit.error());
        return;
    }
    QDialog::accept();
}
