#include "files/ui/TFChooseFolder.h"

#include "files/ui/TLsDirTree20.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TFChooseFolder::TFChooseFolder(const QString &path, Prompter &prompter, Shell &shell,
                               QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Especifica un directori"));
    setObjectName(QStringLiteral("TFChooseFolder"));
    setSizeGripEnabled(true);
    m_tree = new TLsDirTree20(prompter, shell, this);
    m_tree->setPopUpMenuEnabled(false);
    m_tree->OpenPath(path);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("D'acord"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    QPushButton *cancel =
        buttons->addButton(QStringLiteral("Cancel·la"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TFChooseFolder::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tree, 1);
    layout->addWidget(buttons);
    setMinimumSize(300, 370);
    resize(300, 370);
}

QString TFChooseFolder::SelectedPath() const
{
    return m_tree->SelectedPath();
}

void TFChooseFolder::accept()
{
    // A node reached with the keys counts as chosen: OK takes what the user sees selected.
    const QModelIndex node = m_tree->selectedNode();
    if (node.isValid())
        m_tree->chooseNode(node);
    QDialog::accept();
}

void TFChooseFolder::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    if (const QScreen *screen =
            this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
}

QString ChooseFolder(const QString &path, Prompter &prompter, Shell &shell, QWidget *parent)
{
    TFChooseFolder dialog(path, prompter, shell, parent);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.SelectedPath();
}
