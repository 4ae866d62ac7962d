#include "editors/ui/TFEdiPresentation0.h"

#include "editors/SlidePreviewRequest.h"
#include "files/Prompter.h"

#include <QEvent>
#include <QKeyEvent>
#include <QTimer>

TFEdiPresentation0::TFEdiPresentation0(Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFEdiPresentation0"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint);
    setModal(true);
}

QString TFEdiPresentation0::helpText() const
{
    return previewHelpText(PreviewHelp::Borderless);
}

bool TFEdiPresentation0::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        activateOnce();
    return QDialog::event(event);
}

void TFEdiPresentation0::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A platform that never activates the window (or not yet) still gets it maximised and its
    // media started once the window is up.
    QTimer::singleShot(0, this, [this] { activateOnce(); });
}

void TFEdiPresentation0::activateOnce()
{
    // Only the first time: closing a message box activates the window again, and that must not
    // start its audio or video over.
    if (m_activated || !isVisible())
        return;
    m_activated = true;
    showMaximized();
    firstActivation();
}

void TFEdiPresentation0::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        reject();
        return;
    }
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        m_prompter.ShowInfo(helpText());
        return;
    }
    QDialog::keyPressEvent(event);
}
