#include "options/ui/OptionsDialogParts.h"

#include "files/ui/DialogHelp.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>

QDialogButtonBox *optionsButtons(QDialog *dialog, DialogHelp *&help)
{
    auto *buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("D'acord"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel·la"));
    QPushButton *helpButton = buttons->button(QDialogButtonBox::Help);
    helpButton->setText(QStringLiteral("Ajuda"));
    helpButton->setObjectName(QStringLiteral("BB_Help"));
    help = new DialogHelp(dialog, helpButton);
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
