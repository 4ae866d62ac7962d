#include "slides/TextSlideDocument.h"

#include "config/PresentationSettings.h"
#include "files/FileNames.h"
#include "files/SystemColors.h"
#include "files/TextCodec.h"
#include "media/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPainter>
#include <QTextDocument>

#include <memory>

std::optional<TextKind> textKindForSlide(TSlideKind kind)
{
    switch (kind) {
    case skText: return TextKind::Plain;
    case skRichText: return TextKind::Rich;
    default: return std::nullopt;
    }
}

TextKind textKindForFile(const QString &path)
{
    return fileExtension(path).compare(QLatin1String("rtf"), Qt::CaseInsensitive) == 0
               ? TextKind::Rich
               : TextKind::Plain;
}

QString cannotOpenTextMessage(const QString &path)
{
    return QStringLiteral("No es pot obrir el fitxer %1").arg(path);
}

void loadTextDocument(const QByteArray &bytes, TextKind kind, QTextDocument &doc, const QFont &font)
{
    doc.setUndoRedoEnabled(false);
    doc.setDefaultFont(font);
    if (kind == TextKind::Rich && readRtf(bytes, doc).ok())
        return;
    // Line breaks of any system make paragraphs; nothing else is interpreted.
    QString text = decode8BitText(bytes).text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    doc.setPlainText(text);
}

Fallible<void> loadTextFile(const QString &path, TextKind kind, QTextDocument &doc,
                            const QFont &font)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return Fallible<void>::failure(cannotOpenTextMessage(path));
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return Fallible<void>::failure(cannotOpenTextMessage(path));
    loadTextDocument(bytes, kind, doc, font);
    return Fallible<void>::success();
}

void paintTextDocument(QPainter &p, QTextDocument &doc, const QRect &rect, const QColor &background,
                       const QColor &text)
{
    if (rect.isEmpty())
        return;
    p.save();
    p.fillRect(rect, background);
    p.setClipRect(rect, Qt::IntersectClip);
    doc.setTextWidth(rect.width());
    p.translate(rect.topLeft());
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.palette.setColor(QPalette::Text, text);
    ctx.clip = QRectF(0, 0, rect.width(), rect.height());
    doc.documentLayout()->draw(&p, ctx);
    p.restore();
}

Fallible<SlideScene::OtherContent> textSlideContent(const SlideRecord &slide,
                                                    const PresentationSettings &settings,
                                                    const QPalette &palette)
{
    const std::optional<TextKind> kind = textKindForSlide(slide.Kind);
    if (!kind)
        return SlideScene::OtherContent();
    auto doc = std::make_shared<QTextDocument>();
    Fallible<void> loaded =
        loadTextFile(slide.FileName, *kind, *doc, fontFromSettings(settings.FontText));
    if (!loaded.ok())
        return Fallible<SlideScene::OtherContent>::failure(loaded.error());
    const QColor background = colorFromTColor(settings.ColorRichEdit, palette);
    const QColor text = colorFromTColor(settings.FontText.Color, palette);
    SlideScene::OtherContent content;
    content.paint = [doc, background, text](QPainter &p, const QRect &rect) {
        paintTextDocument(p, *doc, rect, background, text);
    };
    return content;
}
