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

qint64 littleEndian(const QByteArray &bytes, qsizetype at, int size)
{
    qint64 v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = v << 8 | quint8(bytes[at + i]);
    return v;
}

// Whether a bitmap's header claims far more pixels than its bytes can hold. The reader fills the
// rows a truncated file lacks, so a hundred damaged bytes that claim sixteen million pixels would
// cost a 64 MB picture of nothing. Uncompressed rows must be in the file; run-length coding and
// its jumps may hold at most some 16,000 pixels per byte. A file that keeps a sixty-fourth of its
// rows still opens.
bool bitmapClaimsFarMoreThanItHolds(const QByteArray &bytes)
{
    if (bytes.size() < 26 || !bytes.startsWith("BM"))
        return false;
    const qint64 offset = littleEndian(bytes, 10, 4);
    const qint64 headerSize = littleEndian(bytes, 14, 4);
    qint64 width = 0, height = 0, bitsPerPixel = 0, compression = 0;
    if (headerSize == 12) {
        width = littleEndian(bytes, 18, 2);
        height = littleEndian(bytes, 20, 2);
        bitsPerPixel = littleEndian(bytes, 24, 2);
    } else if (headerSize >= 40 && bytes.size() >= 34) {
        width = qint32(littleEndian(bytes, 18, 4));
        height = qint32(littleEndian(bytes, 22, 4));
        bitsPerPixel = littleEndian(bytes, 28, 2);
        compression = littleEndian(bytes, 30, 4);
    } else {
        return false;
    }
    width = qAbs(width);
    height = qAbs(height);
    if (width == 0 || height == 0 || width * height > kMaxPicturePixels)
        return false; // refused or reported elsewhere
    const qint64 held = qMax<qint64>(1, bytes.size() - qBound<qint64>(0, offset, bytes.size()));
    if (compression == 1 || compression == 2) // RLE8, RLE4
        return width * height > held * 16384;
    if (compression != 0 && compression != 3 && compression != 6) // other codings: the reader's
        return false;
    const qint64 rowBytes = (width * qMax<qint64>(1, bitsPerPixel) + 31) / 32 * 4;
    return rowBytes * height > held * 64;
}

SlidePicture decodeGif(const QByteArray &bytes);

SlidePicture decodeWithQt(const QByteArray &bytes, const QByteArray &format)
{
    SlidePicture out;
    out.kind = format == "ico" ? PictureKind::Icon : PictureKind::Bitmap;
    if (format == "bmp" && bitmapClaimsFarMoreThanItHolds(bytes)) {
        out.error = cannotOpen();
        return out;
    }
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    // A file named as a bitmap or an icon may hold another kind of picture, which the library
    // reads by its content. A GIF is read by our own reader instead: the library's fills a
    // logical screen of any size the header claims, however few bytes follow (90 bytes kept it
    // busy for seconds). It stays a still picture, as the name says.
    if (QImageReader::imageFormat(&buffer) == "gif") {
        const SlidePicture gif = decodeGif(bytes);
        out.image = gif.image;
        out.naturalSize = gif.naturalSize;
        out.error = gif.error;
        return out;
    }
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
