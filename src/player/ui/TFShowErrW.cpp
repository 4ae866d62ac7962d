#include "player/ui/TFShowErrW.h"

#include "files/Prompter.h"
#include "player/PlayerView.h"

#include <QEvent>
#include <QKeyEvent>

TFShowErrW::TFShowErrW(PlayerView &audioOwner, Prompter &prompter, const QString &audio,
                       QWidget *parent)
    : QWidget(parent, Qt::Window), m_audioOwner(audioOwner), m_prompter(prompter), m_audio(audio)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

TFShowErrW::~TFShowErrW()
{
    if (m_shown)
        m_audioOwner.stopSlideAudio();
}

void TFShowErrW::showEvent(QShowEvent *event)
{
    m_shown = true;
    QWidget::showEvent(event);
}

QString TFShowErrW::helpText()
{
    return QStringLiteral("No hi ha ajuda específica.\r\nPrem 'Esc' per tancar la finestra\r\n") +
           QStringLiteral("\r\no amb el ratolí amb la forma habitual") + QStringLiteral(".");
}

bool TFShowErrW::event(QEvent *event)
{
    // Every activation plays the track again from its start, once.
    if (event->type() == QEvent::WindowActivate && !m_audio.isEmpty())
        m_audioOwner.playSlideAudio(m_audio, false);
    return QWidget::event(event);
}

void TFShowErrW::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    if (event->key() == Qt::Key_F1) {
        m_prompter.ShowInfo(helpText());
        return;
    }
    QWidget::keyPressEvent(event);
}
