#include "player/ui/VideoSlideExport.h"

#include "files/FileNames.h"
#include "files/SystemColors.h"
#include "media/VideoGeometry.h"
#include "media/ui/TQTMovie.h"
#include "media/ui/VideoFrameGrabber.h"

#include <QPainter>

Fallible<SlideScene::OtherContent>
VideoSlideExport::contentFor(const SlideRecord &slide, const PresentationSettings &settings,
                             const QPalette &palette, int timeoutMs)
{
    const auto cannot = [&](const QString &reason) {
        return Fallible<SlideScene::OtherContent>::failure(
            QStringLiteral("no es pot reproduir el vídeo '%1' (%2)")
                .arg(extractFileName(slide.FileName), reason));
    };
    if (slide.Kind == skMovie) {
        const Fallible<void> usable = TQTMovie::checkMovieFile(slide.FileName);
        if (!usable.ok())
            return cannot(usable.error());
    }
    Fallible<QImage> frame = VideoFrameGrabber::firstFrame(slide.FileName, timeoutMs);
    if (!frame.ok())
        return cannot(frame.error());
    const QImage image = frame.take();

    SlideScene::OtherContent content;
    if (slide.Kind == skMovie) {
        const QColor color = colorFromTColor(settings.ImagePanel.ColorStart, palette);
        content.onImagePanel = false;
        content.paint = [image, color](QPainter &p, const QRect &place) {
            p.fillRect(place, color);
            if (image.isNull())
                return;
            const VideoGeometry::MovieBox box =
                VideoGeometry::placeMovieBox(place.size(), image.size(), true);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(box.box.translated(place.topLeft()), image);
        };
    } else {
        const bool enabled = settings.ImgAmpliationEnabled;
        const int ampliation = settings.ImgAmpliation;
        content.onImagePanel = true;
        content.paint = [image, enabled, ampliation](QPainter &p, const QRect &client) {
            if (image.isNull())
                return;
            const QRect r =
                VideoGeometry::FitVideo(image.size(), enabled, ampliation, client.size());
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(r.translated(client.topLeft()), image);
        };
    }
    return content;
}
