#include "files/ui/TFPresentMemo.h"

#include "files/HelpRequester.h"
#include "files/ui/DialogHelp.h"
#include "files/ui/TFrEdicioMemo.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TFPresentMemo::TFPresentMemo(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFPresentMemo"));
    setSizeGripEnabled(true);
    m_frame = new TFrEdicioMemo(this);
    m_close = new QPushButton(QStringLiteral("&Tanca"), this);
    m_close->setObjectName(QStringLiteral("BB_Close"));
    m_close->setAutoDefault(false);
    m_help = new QPushButton(QStringLiteral("Ajuda"), this);
    m_help->setObjectName(QStringLiteral("BB_Help"));
    m_help->setAutoDefault(false);
    m_help->setEnabled(false);
    DialogHelp::bindHelpKey(this, m_help);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_help, &QPushButton::clicked, this, [this] {
        if (m_requester)
            m_requester->showHelpContext(m_helpContext);
    });

    // The frame takes the height above the buttons, which keep to the bottom right corner.
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 0, 8, 0);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    buttons->addWidget(m_help);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->setSpacing(4);
    layout->addWidget(m_frame, 1);
    layout->addLayout(buttons);
    resize(420, 320);
}

void TFPresentMemo::setText(const QString &text)
{
    m_frame->setText(text);
}

QString TFPresentMemo::text() const
{
    return m_frame->text();
}

void TFPresentMemo::setHelp(HelpRequester *help, int context)
{
    m_requester = help;
    m_helpContext = context;
    m_help->setEnabled(help != nullptr);
}
