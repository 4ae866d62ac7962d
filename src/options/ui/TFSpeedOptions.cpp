#include "options/ui/TFSpeedOptions.h"

#include "files/HelpContexts.h"
#include "files/ui/DialogHelp.h"
#include "options/ui/OptionsDialogParts.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

TFSpeedOptions::TFSpeedOptions(std::uint16_t imageDelay, QWidget *parent)
    : QDialog(parent), m_stored(imageDelay)
{
    setObjectName(QStringLiteral("TFSpeedOptions"));
    setWindowTitle(QStringLiteral("Velocitat de presentació"));
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    SE_ImageDelay = numberEdit(this, QStringLiteral("SE_ImageDelay"), 1, 1000);
    auto *label = new QLabel(
        QStringLiteral(
            "&Durada de presentació\nper a cada diapositiva\n(que no la tingui assignada)"),
        this);
    label->setBuddy(SE_ImageDelay);
    grid->addWidget(label, 0, 0, 2, 1);
    grid->addWidget(SE_ImageDelay, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("s"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("(0 per 1/2 segon)"), this), 1, 1, 1, 2);
    layout->addLayout(grid);
    layout->addWidget(optionsButtons(this, m_help));
    SE_ImageDelay->setValue(imageDelay);
    m_shown = SE_ImageDelay->value();
}

void TFSpeedOptions::setHelp(HelpRequester *help)
{
    m_help->setHelp(help, helpNumber(HelpContext::SpeedOptions));
}

std::uint16_t TFSpeedOptions::imageDelay() const
{
    return SE_ImageDelay->value() == m_shown ? m_stored : std::uint16_t(SE_ImageDelay->value());
}
