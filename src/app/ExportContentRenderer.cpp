#include "app/ExportContentRenderer.h"

#include "player/ui/VideoSlideExport.h"
#include "presentation/SlideRecord.h"
#include "slides/TextSlideDocument.h"
#include "slides/ui/WebPageSnapshot.h"

#include <QApplication>
#include <QFile>
#include <QPainter>

#include <memory>

namespace {

// How long the export waits for a video's first frame.
constexpr int kVideoFrameTimeoutMs = 5000;

} // namespace

ExportContentRenderer::ExportContentRenderer(const PresentationSettings &settings,
                                             const QPalette &palette,
                                             std::chrono::milliseconds webTimeout)
    : m_settings(settings), m_palette(palette), m_webTimeout(webTimeout)
{}

Fallible<SlideScene::OtherContent> ExportContentRenderer::contentFor(const SlideRecord &slide,
                                                                     QSize area, qreal)
{
    switch (slide.Kind) {
    case skText:
    case skRichText: return textSlideContent(slide, m_settings, m_palette);
    case skVideo:
    case skMovie:
        return VideoSlideExport::contentFor(slide, m_settings, m_palette, kVideoFrameTimeoutMs);
    case skWeb: return webContent(slide, area);
    default: break;
    }
    // Nobody draws this kind yet: the scene shows the file's name.
    return SlideScene::OtherContent();
}

Fallible<SlideScene::OtherContent> ExportContentRenderer::webContent(const SlideRecord &slide,
                                                                     QSize area)
{
    // A web view is a widget: without a QApplication the page shows as its name.
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return SlideScene::OtherContent{};
    Fallible<QImage> shot = WebPageSnapshot(slide.FileName, area, m_webTimeout);
    if (!shot.ok())
        return Fallible<SlideScene::OtherContent>::failure(shot.error());
    // The page is taken at the slide's whole size to learn whether it loads; the image panel is
    // a little smaller, and a page lays out to its view's width, so it is taken again at the
    // panel's size when they differ.
    struct Shots
    {
        QImage first;
        QString path;
        std::chrono::milliseconds timeout;
    };
    auto shots = std::make_shared<Shots>(Shots{shot.take(), slide.FileName, m_webTimeout});
    SlideScene::OtherContent content;
    content.onImagePanel = false;
    content.paint = [shots](QPainter &p, const QRect &rect) {
        QImage image = shots->first;
        const QSize logical = (QSizeF(image.size()) / image.devicePixelRatio()).toSize();
        if (logical != rect.size() && !rect.isEmpty()) {
            Fallible<QImage> again = WebPageSnapshot(shots->path, rect.size(), shots->timeout);
            if (again.ok())
                image = again.take();
        }
        p.save();
        p.setClipRect(rect);
        p.drawImage(rect.topLeft(), image);
        p.restore();
    };
    return content;
}

bool ExportContentRenderer::listHasWebSlide(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // The file name is the first field of a line; its extension is ASCII in either encoding.
    const QByteArray bytes = file.readAll();
    for (const QByteArray &line : bytes.split('\n')) {
        const qsizetype tab = line.indexOf('\t');
        const QString name = QString::fromLatin1(line.left(tab < 0 ? line.size() : tab)).trimmed();
        if (SlideKindForExtension(name) == skWeb)
            return true;
    }
    return false;
}
