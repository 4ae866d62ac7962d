#include "slides/SlideExport.h"

#include "files/AtomicFileWriter.h"
#include "files/FileNames.h"
#include "files/Prompter.h"
#include "presentation/SlideRecord.h"
#include "slides/PlayerRandom.h"
#include "slides/Question.h"
#include "slides/SlideScene.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

namespace {

// A stored relative name is tried as it is, then beside the list.
QString locate(const QString &stored, const QString &listFolder)
{
    if (stored.isEmpty() || QFileInfo::exists(stored) || !QFileInfo(stored).isRelative() ||
        listFolder.isEmpty())
        return stored;
    const QString beside = QDir(listFolder).filePath(stored);
    return QFileInfo::exists(beside) ? beside : stored;
}

} // namespace

QString ExportFileName(int lineIndex)
{
    return QStringLiteral("%1.png").arg(lineIndex + 1, 3, 10, QLatin1Char('0'));
}

SlideExportResult ExportSlides(const SlideList &list, const QString &listPath,
                               const PresentationSettings &settings, const QString &folder,
                               QSize size, qreal devicePixelRatio, const QPalette &palette,
                               SlideContentRenderer *renderer)
{
    SlideExportResult out;
    if (!QDir().mkpath(folder)) {
        out.fatal = QStringLiteral("No es pot crear la carpeta '%1'").arg(folder);
        return out;
    }
    const QString listFolder = QFileInfo(listPath).absolutePath();
    SlideScene scene(settings);
    scene.setBaseFolder(listFolder);
    scene.setPaintQuestionControls(true);
    SilentPrompter silent;
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const QSize device = (QSizeF(size) * dpr).toSize();

    for (int i = 0; i < int(list.lines.size()); ++i) {
        auto decoded = DecodeSlide(list.lines[i]);
        if (!decoded || decoded->Hidden)
            continue;
        SlideRecord slide = *decoded;
        slide.FileName = locate(slide.FileName, listFolder);
        const QString number = QString::number(i + 1);
        scene.clearQuestion();
        switch (slide.Kind) {
        case skImage: {
            const QSize target =
                (QSizeF(scene.imageClientRect(size, nullptr).size()) * dpr).toSize();
            const QString error = scene.showImageSlide(slide, target);
            if (!scene.image().missingText().isEmpty())
                out.problems << QStringLiteral("Diapositiva %1: %2")
                                    .arg(number, scene.image().missingText());
            else if (!scene.image().hasPicture())
                out.problems << QStringLiteral("Diapositiva %1: no es pot mostrar la imatge '%2'%3")
                                    .arg(number, extractFileName(slide.FileName),
                                         error.isEmpty() ? QString()
                                                         : QStringLiteral(" (%1)").arg(error));
            break;
        }
        case skTitle: scene.showTitleSlide(slide); break;
        default:
            if (slide.Kind == skVideo || slide.Kind == skMovie)
                scene.showVideoSlide(slide);
            else
                scene.showOtherSlide(slide);
            if (renderer) {
                Fallible<SlideScene::OtherContent> content = renderer->contentFor(slide, size, dpr);
                if (content.ok())
                    scene.setOtherContent(content.take());
                else
                    out.problems
                        << QStringLiteral("Diapositiva %1: %2").arg(number, content.error());
            }
            break;
        }
        if (slide.PWithAnswer) {
            // Answers in the order written: a picture of the list should not change each time.
            PlayerRandom rng(1);
            scene.setQuestion(BuildQuestion(slide, settings, QuestionMode::Presentation, false,
                                            slide.PWithPromptForAnswer, rng, silent));
        }
        QImage image(device, QImage::Format_RGB32);
        image.setDevicePixelRatio(dpr);
        image.fill(palette.color(QPalette::Button));
        {
            QPainter p(&image);
            scene.paint(p, size, palette);
        }
        const QString path = QDir(folder).filePath(ExportFileName(i));
        // Encoded whole first, then written through a temporary file: an interrupted export
        // leaves the picture of an earlier one, never an empty or half-written file.
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG") || !writeFileAtomically(path, png).ok)
            out.problems << QStringLiteral("No es pot desar '%1'").arg(path);
        else
            ++out.written;
    }
    return out;
}
