#include "files/ui/DialogHelp.h"

#include "files/HelpRequester.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

DialogHelp::DialogHelp(QWidget *dialog, QAbstractButton *button) : QObject(dialog), m_button(button)
{
    m_button->setEnabled(false);
    connect(m_button, &QAbstractButton::clicked, this, [this] {
        if (m_help)
            m_help->showHelpContext(m_context);
    });
    bindHelpKey(dialog, button);
}

void DialogHelp::setHelp(HelpRequester *help, int context)
{
    m_help = help;
    m_context = context;
    m_button->setEnabled(help != nullptr);
}

void DialogHelp::bindHelpKey(QWidget *window, QAbstractButton *button)
{
    auto *key = new QShortcut(QKeySequence(Qt::Key_F1), window);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, button, [button] {
        if (button->isEnabled())
            button->click();
    });
}

QDialogButtonBox *okCancelHelpButtons(QWidget *dialog, QPushButton *&helpButton)
{
    auto *buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("D'acord"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel·la"));
    helpButton = buttons->button(QDialogButtonBox::Help);
    helpButton->setText(QStringLiteral("Ajuda"));
    helpButton->setObjectName(QStringLiteral("BB_Help"));
    return buttons;
}
