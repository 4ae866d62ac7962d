#include "editors/ui/TFEdiOptions.h"

#include "editors/EdiOptionsRules.h"
#include "files/Prompter.h"
#include "files/ui/DialogHelp.h"
#include "options/ui/OptionsDialogParts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

// A box for a number of bytes: digits only; the limit is checked on OK.
QLineEdit *bytesEdit(QWidget *parent, const QString &name, int value)
{
    auto *edit = new QLineEdit(QString::number(value), parent);
    edit->setObjectName(name);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,10}")), edit));
    edit->setAlignment(Qt::AlignRight);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 12);
    return edit;
}

} // namespace

TFEdiOptions::TFEdiOptions(const ProgramOptions &options, Prompter &prompter, QWidget *parent)
    : TFEdiOptions(options, prompter, HelpContext::EditOptions, parent)
{}

TFEdiOptions::TFEdiOptions(const ProgramOptions &options, Prompter &prompter, HelpContext context,
                           QWidget *parent)
    : QDialog(parent), m_options(options), m_prompter(prompter), m_context(context)
{
    setObjectName(QStringLiteral("TFEdiOptions"));
    setWindowTitle(QStringLiteral("Opcions d'edició"));
    build();
}

void TFEdiOptions::build()
{
    auto *layout = new QVBoxLayout(this);
    m_columns = new QHBoxLayout;
    auto *shared = new QVBoxLayout;
    m_columns->addLayout(shared);
    layout->addLayout(m_columns);

    CB_TrimSpaces = namedCheck(
        this, QStringLiteral("CB_TrimSpaces"),
        QStringLiteral("Treure espais sobrers al principi i final\n(introduïts per equivocació)"),
        m_options.OnBPostEdit_TrimSpaces);
    shared->addWidget(CB_TrimSpaces);

    QGroupBox *viewing =
        namedGroup(this, QStringLiteral("GB_Viewing"), QStringLiteral("Visualització"));
    auto *viewingLayout = new QVBoxLayout(viewing);
    viewingLayout->addWidget(
        new QLabel(QStringLiteral("Mida màxima de l'arxiu a mostrar en miniatura:"), viewing));
    auto *sizes = new QGridLayout;
    E_MaxBmpFileSize =
        bytesEdit(viewing, QStringLiteral("E_MaxBmpFileSize"), m_options.MaxBmpFileSize);
    E_MaxOthersImgFileSize = bytesEdit(viewing, QStringLiteral("E_MaxOthersImgFileSize"),
                                       m_options.MaxOthersImgFileSize);
    m_bmpLabel = new QLabel(QStringLiteral("&bmp"), viewing);
    m_othersLabel = new QLabel(QStringLiteral("&gif, jpg, jpeg, wmf"), viewing);
    m_bmpLabel->setBuddy(E_MaxBmpFileSize);
    m_othersLabel->setBuddy(E_MaxOthersImgFileSize);
    sizes->addWidget(m_bmpLabel, 0, 0);
    sizes->addWidget(E_MaxBmpFileSize, 0, 1);
    sizes->addWidget(new QLabel(QStringLiteral("bytes"), viewing), 0, 2);
    sizes->addWidget(m_othersLabel, 1, 0);
    sizes->addWidget(E_MaxOthersImgFileSize, 1, 1);
    sizes->addWidget(new QLabel(QStringLiteral("bytes"), viewing), 1, 2);
    sizes->setColumnStretch(3, 1);
    viewingLayout->addLayout(sizes);
    CB_HidePathExtInRigthPanel =
        namedCheck(viewing, QStringLiteral("CB_HidePathExtInRigthPanel"),
                   QStringLiteral("Amaga el directori i l'extensió \nen la llista del plafó "
                                  "dret\ndel tipus de llista contrària a l'actual"),
                   m_options.HidePathExtInRigthPanel);
    viewingLayout->addWidget(CB_HidePathExtInRigthPanel);
    shared->addWidget(viewing);

    CB_FilesAutomaticReread =
        namedCheck(this, QStringLiteral("CB_FilesAutomaticReread"),
                   QStringLiteral("Actualitza la llista d'arxius automàticament\n(en entrar "
                                  "de nou al programa)"),
                   m_options.FilesAutomaticReread);
    shared->addWidget(CB_FilesAutomaticReread);
    shared->addStretch();

    layout->addWidget(optionsButtons(this, m_help));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QVBoxLayout *TFEdiOptions::extraColumn()
{
    if (!m_extra) {
        m_extra = new QVBoxLayout;
        m_columns->addSpacing(12);
        m_columns->addLayout(m_extra);
    }
    return m_extra;
}

void TFEdiOptions::setHelp(HelpRequester *help)
{
    m_help->setHelp(help, helpNumber(m_context));
}

bool TFEdiOptions::validate()
{
    const struct
    {
        QLineEdit *edit;
        QLabel *label;
        int minimum;
    } limits[] = {{E_MaxBmpFileSize, m_bmpLabel, kMinMaxBmpFileSize},
                  {E_MaxOthersImgFileSize, m_othersLabel, kMinMaxOthersImgFileSize}};
    for (const auto &l : limits) {
        const Fallible<int> value =
            parseByteLimit(l.edit->text(), l.minimum, byteLimitName(l.label->text()));
        if (!value.ok()) {
            m_prompter.ShowError(value.error());
            l.edit->setFocus();
            l.edit->selectAll();
            return false;
        }
    }
    return true;
}

void TFEdiOptions::storeControls(ProgramOptions &options)
{
    options.OnBPostEdit_TrimSpaces = CB_TrimSpaces->isChecked();
    options.MaxBmpFileSize = E_MaxBmpFileSize->text().trimmed().toInt();
    options.MaxOthersImgFileSize = E_MaxOthersImgFileSize->text().trimmed().toInt();
    options.HidePathExtInRigthPanel = CB_HidePathExtInRigthPanel->isChecked();
    options.FilesAutomaticReread = CB_FilesAutomaticReread->isChecked();
}

void TFEdiOptions::accept()
{
    if (!validate())
        return;
    storeControls(m_options);
    QDialog::accept();
}
