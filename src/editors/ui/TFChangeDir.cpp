#include "editors/ui/TFChangeDir.h"

#include "files/FileChecks.h"
#include "files/HelpContexts.h"
#include "files/Prompter.h"
#include "files/ui/DialogHelp.h"
#include "files/ui/TLsDirTree20.h"
#include "options/ui/OptionsDialogParts.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

TFChangeDir::TFChangeDir(const QString &lastDirectory, bool anyRowSelected, Prompter &prompter,
                         Shell &shell, QWidget *parent)
    : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFChangeDir"));
    setWindowTitle(QStringLiteral("Canvia el directori"));
    setSizeGripEnabled(true);
    auto *layout = new QVBoxLayout(this);
    m_tree = new TLsDirTree20(prompter, shell, this);
    m_tree->setObjectName(QStringLiteral("LsDirTree"));
    m_tree->OpenPath(lastDirectory);
    layout->addWidget(m_tree, 1);

    QGroupBox *group = namedGroup(this, QStringLiteral("RG_Scope"),
                                  QStringLiteral("El canvi afectarà als directoris de"));
    auto *groupLayout = new QVBoxLayout(group);
    const struct
    {
        const char *name;
        const char *caption; // UTF-8
    } scopes[] = {
        {"RB_All", "&Totes les diapositives"},
        {"RB_Selected", "&Sols les diapositives seleccionades"},
        {"RB_SelectedMatching", "Totes les seleccionades que &coincideixin amb la selecionada"},
        {"RB_AllMatching", "Totes les &que coincideixin amb la selecionada"},
    };
    for (std::size_t i = 0; i < m_scopes.size(); ++i) {
        auto *radio = new QRadioButton(QString::fromUtf8(scopes[i].caption), group);
        radio->setObjectName(QLatin1String(scopes[i].name));
        // The scopes measured against a selection need one.
        radio->setEnabled(i == 0 || anyRowSelected);
        groupLayout->addWidget(radio);
        m_scopes[i] = radio;
    }
    m_scopes[0]->setChecked(true);
    layout->addWidget(group);
    layout->addWidget(optionsButtons(this, m_help));
    // Never so small that a caption is cut; room for the tree to show a few levels.
    setMinimumSize(layout->minimumSize().expandedTo(QSize(317, 286)));
    resize(sizeHint().expandedTo(QSize(317, 380)));
}

void TFChangeDir::setHelp(HelpRequester *help)
{
    m_help->setHelp(help, helpNumber(HelpContext::ChangeDir));
}

ChangeDirChoice TFChangeDir::choice() const
{
    ChangeDirChoice c;
    c.directory = m_tree->SelectedPath();
    for (std::size_t i = 0; i < m_scopes.size(); ++i)
        if (m_scopes[i]->isChecked())
            c.scope = ChangeDirScope(i);
    return c;
}

void TFChangeDir::accept()
{
    // A node reached with the keys counts as chosen: OK takes what the user sees selected.
    if (const QModelIndex node = m_tree->selectedNode(); node.isValid())
        m_tree->chooseNode(node);
    // Rows sent to the root or to a folder since removed would name files nowhere.
    if (const Fallible<void> found = checkFolderExists(m_tree->SelectedPath()); !found.ok()) {
        m_prompter.ShowError(found.error());
        return;
    }
    QDialog::accept();
}
