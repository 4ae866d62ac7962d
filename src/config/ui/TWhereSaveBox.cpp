#include "config/ui/TWhereSaveBox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

TWhereSaveBox::TWhereSaveBox(int destination, const QString &presentationName,
                             const QString &programBaseName, HintStyle style, QWidget *parent)
    : QWidget(parent), m_named(!presentationName.isEmpty()), m_presentationName(presentationName),
      m_programBaseName(programBaseName), m_style(style)
{
    // An unnamed list has no configuration of its own to save to.
    m_destination = (destination == 0 && !m_named) ? 1 : destination;
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Desa\nconfiguració:"), this));
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("CB_WhereSave"));
    if (m_named)
        m_combo->addItem(QStringLiteral("per la presentació actual"), 0);
    m_combo->addItem(QStringLiteral("per defecte"), 1);
    m_combo->addItem(QStringLiteral("nova o sobrescrivint"), 2);
    m_combo->setCurrentIndex(m_combo->findData(m_destination));
    layout->addWidget(m_combo, 1);
    m_button = new QPushButton(QStringLiteral("D'acord i desa"), this);
    m_button->setObjectName(QStringLiteral("BB_OkAndSave"));
    layout->addWidget(m_button);
    connect(m_combo, &QComboBox::currentIndexChanged, this, [this](int) {
        m_destination = m_combo->currentData().toInt();
        updateHint();
    });
    connect(m_button, &QPushButton::clicked, this, &TWhereSaveBox::okAndSave);
    updateHint();
}

QString TWhereSaveBox::buttonHint() const
{
    QString target;
    if (m_destination == 0)
        target = m_presentationName + QStringLiteral(".ini");
    else if (m_destination == 1)
        target = m_programBaseName + QStringLiteral(".ini");
    else
        target = QStringLiteral("una nova configuració o sobrescrivint una existent");
    return (m_style == HintStyle::SaveCurrent
                ? QStringLiteral("Desa la configuració actual a\r\n%1")
                : QStringLiteral("Accepta les modificacions fetes i ja les desa a\r\n%1"))
        .arg(target);
}

void TWhereSaveBox::updateHint()
{
    m_button->setToolTip(buttonHint().replace(QLatin1String("\r\n"), QLatin1String("\n")));
}
