#include "files/ui/TFItemToFind.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFItemToFind::TFItemToFind(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Recerca"));
    setObjectName(QStringLiteral("TFItemToFind"));
    L_ItemToFind = new QLabel(QStringLiteral("&Directori a buscar:"), this);
    L_ItemToFind->setObjectName(QStringLiteral("L_ItemToFind"));
    ET_ItemToFind = new QLineEdit(this);
    ET_ItemToFind->setObjectName(QStringLiteral("ET_ItemToFind"));
    ET_ItemToFind->setMinimumWidth(260);
    L_ItemToFind->setBuddy(ET_ItemToFind);
    auto *note = new QLabel(QStringLiteral("Pots utilitzar els comodins * i ?"), this);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("D'acord"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel·lar"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(L_ItemToFind);
    layout->addWidget(ET_ItemToFind);
    layout->addWidget(note);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TFItemToFind::text() const
{
    return ET_ItemToFind->text();
}

void TFItemToFind::setText(const QString &text)
{
    ET_ItemToFind->setText(text);
    ET_ItemToFind->selectAll();
}
