#include "editors/EditorRules.h"

#include "files/FileNames.h"

MiniatureContent miniatureContent(TSlideKind kind, bool viewable, bool question,
                                  const QString &path, qint64 fileSize, int maxBmpFileSize,
                                  int maxOthersImgFileSize)
{
    MiniatureContent m;
    if (!viewable)
        return m;
    m.show = MiniatureContent::Show::Caption;
    switch (kind) {
    case skImage: {
        const bool bmp = fileExtension(path).toUpper() == QLatin1String("BMP");
        const qint64 limit = bmp ? maxBmpFileSize : maxOthersImgFileSize;
        if (fileSize > limit) {
            m.caption = QStringLiteral("M. gran");
        } else {
            m.show = MiniatureContent::Show::Picture;
        }
        break;
    }
    case skTitle:
        m.caption = question ? QStringLiteral("Preg.") : QStringLiteral("Títol");
        m.titleColour = true;
        break;
    case skWeb: m.caption = QStringLiteral("P. Web"); break;
    case skVideo:
    case skMovie: m.caption = QStringLiteral("Vídeo"); break;
    case skPresentation: m.caption = QStringLiteral("Llista"); break;
    case skProgram:
    case skDocument: m.caption = QStringLiteral("Progr."); break;
    default: m.caption = QStringLiteral("Text"); break;
    }
    return m;
}

namespace {

QString selectionError(const char *howMany, const char *where)
{
    return QStringLiteral("Heu de seleccionar %1 arxiu del %2")
        .arg(QString::fromUtf8(howMany), QString::fromUtf8(where));
}

} // namespace

QString changeFileSelectionError(int leftFileCount, int gridRowCount)
{
    if (leftFileCount > 1)
        return selectionError("un sol", "plafó esquerra");
    if (leftFileCount < 1)
        return selectionError("algun", "plafó esquerra");
    if (gridRowCount > 1)
        return selectionError("un sol", "plafó dret");
    if (gridRowCount < 1)
        return selectionError("algun", "plafó dret");
    return QString();
}

QString playLeftSelectionError(int leftFileCount)
{
    if (leftFileCount > 1)
        return selectionError("un sol", "plafó esquerra");
    if (leftFileCount < 1)
        return selectionError("algun", "plafó esquerra");
    return QString();
}
