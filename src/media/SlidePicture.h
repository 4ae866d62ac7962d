#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include <memory>
#include <vector>

class QPainter;
class TGIFData;

// A vector picture (a Windows metafile) that is drawn anew at any size.
class MetafilePicture
{
public:
    virtual ~MetafilePicture() = default;
    virtual QSize naturalSize() const = 0;
    virtual void paint(QPainter &painter, const QRectF &target) const = 0;
};

struct PictureFrame
{
    QImage image; // null for a GIF's frames, which are composed when shown (GifComposer)
    int delayMs = 0;
};

// The kind of file a picture was decoded from: each kind is drawn transparently by its own rule.
enum class PictureKind { Bitmap, Icon, Jpeg, Png, Gif, Metafile };

// A decoded slide picture.
struct SlidePicture
{
    PictureKind kind = PictureKind::Bitmap;
    QImage image;                     // the still picture; the first frame of an animation
    std::vector<PictureFrame> frames; // an animated GIF's frames with their delays
    std::shared_ptr<const MetafilePicture> metafile; // WMF: drawn at the size asked
    std::shared_ptr<TGIFData> gif; // GIF: the parsed file, whose frames a view composes
    QSize naturalSize;             // the picture's own size in pixels
    QString error;                 // the Catalan message when nothing could be decoded

    bool ok() const { return !image.isNull() || metafile != nullptr; }
};

// Decodes a picture by its extension (bmp, ico, jpg/jpeg, gif, png, wmf). `targetSize`, when
// valid, lets a JPEG be decoded at the smallest scale that still covers it (pass the size the
// picture will be drawn at; `naturalSize` stays the full size). A GIF's frames carry their
// delay in milliseconds, at least 55. `image` is null and `error` says why when nothing could be
// decoded; a GIF that fails to parse has no frames.
SlidePicture DecodeSlidePicture(const QByteArray &bytes, const QString &extension,
                                QSize targetSize = QSize());
SlidePicture LoadSlidePicture(const QString &path, QSize targetSize = QSize());
