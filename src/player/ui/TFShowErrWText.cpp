#include "player/ui/TFShowErrWText.h"

#include "config/PresentationSettings.h"
#include "files/FileNames.h"
#include "files/SystemColors.h"
#include "slides/TextSlideDocument.h"

#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

TFShowErrWText::TFShowErrWText(const FontSettings &textFont, PlayerView &audioOwner,
                               Prompter &prompter, const QString &audio, QWidget *parent)
    : TFShowErrW(audioOwner, prompter, audio, parent), m_text(new QTextEdit(this))
{
    setObjectName(QStringLiteral("TFShowErrWText"));
    m_text->setObjectName(QStringLiteral("RichEdit"));
    m_text->setReadOnly(true);
    m_text->setUndoRedoEnabled(false);
    m_text->setFont(fontFromSettings(textFont));
    QPalette pal = m_text->palette();
    pal.setColor(QPalette::Text, colorFromTColor(textFont.Color, pal));
    m_text->setPalette(pal);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
}

void TFShowErrWText::setBackground(const QColor &color)
{
    QPalette pal = m_text->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(g, QPalette::Base, color);
    m_text->setPalette(pal);
}

QString TFShowErrWText::loadText(const QString &file, QSize limit)
{
    const Fallible<void> loaded =
        loadTextFile(file, textKindForFile(file), *m_text->document(), m_text->font());
    if (!loaded.ok())
        return loaded.error();
    setWindowTitle(extractFileName(file));
    resize(limit);
    return QString();
}
