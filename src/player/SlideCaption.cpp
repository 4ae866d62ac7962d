#include "player/SlideCaption.h"

#include "config/PresentationSettings.h"
#include "files/FileNames.h"

namespace {

const QString kSep = QStringLiteral("  ");
// Marks where the picture's drawn size goes; a private-use character no file name holds.
const QChar kDrawSizeSlot(0xE000);

QString fillDrawSize(const QString &parts, int drawSizePercent)
{
    QString out = parts;
    out.replace(kDrawSizeSlot,
                drawSizePercent < 0 ? QStringLiteral("100") : QString::number(drawSizePercent));
    return out;
}

} // namespace

QString BuildCaptionParts(const PresentationSettings &s, const CaptionInput &in)
{
    QString parts;
    if (s.PresWithITListName)
        parts += fileNameWithoutExt(in.listPath) + kSep;
    if (s.PresWithNumbering) {
        if (s.PresWithTotalNumbering && (!s.PresWithSTotalNumbering || !in.randomOrder))
            parts += QStringLiteral("%1/%2").arg(in.slideIndex + 1).arg(in.orderLength) + kSep;
        else
            parts += QString::number(in.slideIndex + 1) + kSep;
    }
    if (s.PresWithSNumbering && in.randomOrder) {
        if (s.PresWithSTotalNumbering)
            parts += QStringLiteral("%1/%2").arg(in.position + 1).arg(in.orderLength) + kSep;
        else
            parts += QString::number(in.position + 1) + kSep;
    }
    const SlideRecord *slide = in.slide;
    if (s.PresWithITName && slide) {
        const QString &f = slide->FileName;
        QString name;
        if (s.PresWithITPath && s.PresWithITExt)
            name = f;
        else if (s.PresWithITPath)
            name = pathWithoutExt(f);
        else if (s.PresWithITExt)
            name = extractFileName(f);
        else
            name = fileNameWithoutExt(f);
        if (!name.isEmpty())
            parts += name + kSep;
    }
    if (s.PresWithIAmpliationRatio && slide && slide->Kind == skImage)
        parts += kDrawSizeSlot + QStringLiteral("%") + kSep;
    return parts;
}

QString ApplyCaption(const PresentationSettings &s, const QString &parts, KeyHintState state,
                     bool typedAnswer, int drawSizePercent)
{
    QString text = fillDrawSize(parts, drawSizePercent);
    if (s.PresWithKeyInfo) {
        switch (state) {
        case KeyHintState::Finished: text += QStringLiteral("(acabat; Intro=reinicia)"); break;
        case KeyHintState::Next:
        case KeyHintState::Pause:
            if (typedAnswer)
                text += QStringLiteral("(Esc=cancel·la)");
            else
                text += QStringLiteral("(Barra=%1, Esc=cancel·la, <-=prèvia)")
                            .arg(state == KeyHintState::Next ? QStringLiteral("següent")
                                                             : QStringLiteral("pausa"));
            break;
        case KeyHintState::None: break;
        }
    }
    return text;
}

QString PausedCaption(const QString &parts, int drawSizePercent)
{
    return fillDrawSize(parts, drawSizePercent) + QStringLiteral("(pausat; Barra=continua)");
}
