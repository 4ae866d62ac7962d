#include "files/ui/TFFileAttributes.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

TFFileAttributes::TFFileAttributes(const QString &name, const FileAttributes &attributes,
                                   QWidget *parent)
    : QDialog(parent), m_initial(attributes)
{
    setWindowTitle(QString::fromUtf8("Modificació d'atributs"));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(name, this);
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(QStringLiteral("Name"));
    layout->addWidget(label);
    auto box = [this, layout](const char *text, bool checked, bool changeable) {
        auto *b = new QCheckBox(QString::fromUtf8(text), this);
        b->setChecked(checked);
        b->setEnabled(changeable);
        layout->addWidget(b);
        return b;
    };
    m_readOnly = box("Sols lectura", attributes.readOnly, true);
    m_archive = box("Arxiu", attributes.archive, false);
    m_hidden = box("Amagat", attributes.hidden, false);
    m_system = box("Sistema", attributes.system, false);
    layout->addStretch(1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel·la"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(std::max(266, sizeHint().width()), std::max(172, sizeHint().height()));
}

FileAttributes TFFileAttributes::attributes() const
{
    FileAttributes a = m_initial;
    a.readOnly = m_readOnly->isChecked();
    return a;
}
