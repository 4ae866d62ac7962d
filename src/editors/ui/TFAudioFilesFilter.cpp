#include "editors/ui/TFAudioFilesFilter.h"

#include "editors/FileListMasks.h"
#include "files/HelpContexts.h"
#include "files/ui/DialogHelp.h"
#include "options/ui/OptionsDialogParts.h"

#include <QDialogButtonBox>
#include <QRadioButton>
#include <QVBoxLayout>

TFAudioFilesFilter::TFAudioFilesFilter(int audioFilterIndex, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFAudioFilesFilter"));
    setWindowTitle(QStringLiteral("Tipus d'arxius d'audio a mostrar"));
    auto *layout = new QVBoxLayout(this);
    const QStringList items = audioFilterItems();
    for (int i = 0; i < items.size(); ++i) {
        auto *radio = new QRadioButton(items[i], this);
        radio->setObjectName(QStringLiteral("RB_Audio%1").arg(i));
        layout->addWidget(radio);
        m_choices.push_back(radio);
    }
    if (audioFilterIndex < 0 || audioFilterIndex >= int(m_choices.size()))
        audioFilterIndex = 0;
    m_choices[std::size_t(audioFilterIndex)]->setChecked(true);
    layout->addSpacing(6);
    layout->addWidget(optionsButtons(this, m_help));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFAudioFilesFilter::setHelp(HelpRequester *help)
{
    m_help->setHelp(help, helpNumber(HelpContext::AudioFilesFilter));
}

int TFAudioFilesFilter::audioFilterIndex() const
{
    for (std::size_t i = 0; i < m_choices.size(); ++i)
        if (m_choices[i]->isChecked())
            return int(i);
    return 0;
}
