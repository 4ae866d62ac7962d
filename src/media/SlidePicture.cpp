#include "media/SlidePicture.h"

#include "files/FileNames.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

SlidePicture DecodeSlidePicture(const QByteArray &bytes, const QString &extension, QSize targetSize)
{
    Q_UNUSED(targetSize);
    SlidePicture out;
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, extension.toLower().toLatin1());
    reader.setAutoTransform(true);
    out.image = reader.read();
    out.naturalSize = out.image.size();
    if (out.image.isNull())
        out.error = QStringLiteral("No es pot obrir el fitxer");
    return out;
}

SlidePicture LoadSlidePicture(const QString &path, QSize targetSize)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        SlidePicture missing;
        missing.error = QStringLiteral("No existeix '%1'").arg(extractFileName(path));
        return missing;
    }
    return DecodeSlidePicture(file.readAll(), fileExtension(path), targetSize);
}
