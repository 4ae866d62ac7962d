#include "player/ui/TFShowErrWText.h"

#include "config/PresentationSettings.h"
#include "files/FileNames.h"
#include "files/SystemColors.h"
#include "files/TextCodec.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TFShowErrWText::TFShowErrWText(const FontSettings &textFont, PlayerView &audioOwner,
                               Prompter &prompter, const QString &audio, QWidget *parent)
    : TFShowErrW(audioOwner, prompter, audio, parent), m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("TFShowErrWText"));
    m_text->setObjectName(QStringLiteral("RichEdit"));
    m_text->setReadOnly(true);
    m_text->setFont(fontFromSettings(textFont));
    QPalette pal = m_text->palette();
    pal.setColor(QPalette::Text, colorFromTColor(textFont.Color, pal));
    m_text->setPalette(pal);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
}

QString TFShowErrWText::loadText(const QString &file, QSize limit)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("No es pot obrir el fitxer %1").arg(file);
    m_text->setPlainText(decode8BitText(in.readAll()).text);
    setWindowTitle(extractFileName(file));
    resize(limit);
    return QString();
}
