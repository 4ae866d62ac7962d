#include "media/SlidePicture.h"

#include "files/FileNames.h"
#include "media/GifComposer.h"
#include "media/JpegDecoder.h"
#include "media/PictureLimits.h"
#include "media/PngDecoder.h"
#include "media/TGIFData.h"
#include "media/TTrigger.h"
#include "media/WmfPicture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

QString cannotOpen()
{
    return QStringLiteral("No es pot obrir el fitxer");
}

SlidePicture decodeWithQt(const QByteArray &bytes, const QByteArray &format)
{
    SlidePicture out;
    out.kind = format == "ico" ? PictureKind::Icon : PictureKind::Bitmap;
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPicturePixels) {
        out.error = pictureTooLargeMessage(size.width(), size.height());
        return out;
    }
    out.image = reader.read();
    out.naturalSize = out.image.size();
    if (out.image.isNull())
        out.error = cannotOpen();
    return out;
}

SlidePicture decodeGif(const QByteArray &bytes)
{
    SlidePicture out;
    out.kind = PictureKind::Gif;
    auto data = std::make_shared<TGIFData>(bytes);
    out.naturalSize = QSize(data->screenWidth(), data->screenHeight());
    out.gif = data;
    // The frames are composed on the logical screen as they are shown; the still picture is the
    // first.
    for (const TGIFFrame &frame : data->frames())
        out.frames.push_back(PictureFrame{
            QImage(), int(qMax<qint64>(TTrigger::kMinIntervalMs, qint64(frame.delay()) * 10))});
    if (!out.frames.empty())
        out.image = GifComposer(data).frame(0);
    if (out.image.isNull()) {
        if (!data->parseError().isEmpty())
            out.error = data->parseError();
        else if (!out.frames.empty() &&
                 qint64(data->screenWidth()) * data->screenHeight() > kMaxPicturePixels)
            out.error = pictureTooLargeMessage(data->screenWidth(), data->screenHeight());
        else
            out.error = cannotOpen();
    }
    return out;
}

} // namespace

SlidePicture DecodeSlidePicture(const QByteArray &bytes, const QString &extension, QSize targetSize)
{
    const QString ext = extension.toLower();
    if (ext == QLatin1String("png")) {
        SlidePicture out;
        out.kind = PictureKind::Png;
        Fallible<QImage> png = DecodePng(bytes, QString());
        if (png.ok()) {
            out.image = png.take();
            out.naturalSize = out.image.size();
        } else {
            out.error = png.error();
        }
        return out;
    }
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg")) {
        SlidePicture out;
        out.kind = PictureKind::Jpeg;
        Fallible<JpegDecodeResult> jpeg = decodeJpeg(bytes, targetSize);
        if (jpeg.ok()) {
            out.image = std::move(jpeg.value().image);
            out.naturalSize = jpeg.value().naturalSize;
        } else {
            out.error = jpeg.error();
        }
        return out;
    }
    if (ext == QLatin1String("gif"))
        return decodeGif(bytes);
    if (ext == QLatin1String("wmf")) {
        SlidePicture out;
        out.kind = PictureKind::Metafile;
        Fallible<std::shared_ptr<WmfPicture>> wmf = WmfPicture::fromBytes(bytes);
        if (wmf.ok()) {
            out.naturalSize = wmf.value()->naturalSize();
            out.metafile = wmf.take();
        } else {
            out.error = wmf.error();
        }
        return out;
    }
    if (ext == QLatin1String("bmp") || ext == QLatin1String("ico"))
        return decodeWithQt(bytes, ext.toLatin1());
    SlidePicture out;
    out.error = cannotOpen();
    return out;
}

SlidePicture LoadSlidePicture(const QString &path, QSize targetSize)
{
    QFile file(path);
    const bool isPng = fileExtension(path).compare(QLatin1String("png"), Qt::CaseInsensitive) == 0;
    if (!QFileInfo(path).isFile()) {
        SlidePicture missing;
        missing.error = QStringLiteral("No existeix '%1'").arg(extractFileName(path));
        return missing;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        SlidePicture unreadable;
        unreadable.error = isPng ? pngOpenErrorMessage(path) : cannotOpen();
        return unreadable;
    }
    const QByteArray bytes = file.readAll();
    if (isPng) {
        // The PNG messages name the file.
        SlidePicture out;
        out.kind = PictureKind::Png;
        Fallible<QImage> png = DecodePng(bytes, path);
        if (png.ok()) {
            out.image = png.take();
            out.naturalSize = out.image.size();
        } else {
            out.error = png.error();
        }
        return out;
    }
    return DecodeSlidePicture(bytes, fileExtension(path), targetSize);
}
