#include "options/ui/OptionsDialogParts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>

QDialogButtonBox *optionsButtons(QDialog *dialog, int helpContext)
{
    auto *buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("D'acord"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel·la"));
    QPushButton *help = buttons->button(QDialogButtonBox::Help);
    help->setText(QStringLiteral("Ajuda"));
    help->setObjectName(QStringLiteral("BB_Help"));
    help->setProperty("helpContext", helpContext);
    help->setEnabled(false);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QSpinBox *numberEdit(QWidget *parent, const QString &name, int min, int max)
{
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(min, max);
    return spin;
}

QGroupBox *namedGroup(QWidget *parent, const QString &name, const QString &title)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(name);
    return box;
}
