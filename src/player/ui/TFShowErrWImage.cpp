#include "player/ui/TFShowErrWImage.h"

#include "config/PresentationSettings.h"
#include "files/FileNames.h"
#include "media/TMPTimerPool.h"
#include "media/ui/TAdvImageNew.h"
#include "slides/ReactionGeometry.h"

#include <QFileInfo>
#include <QVBoxLayout>

TFShowErrWImage::TFShowErrWImage(const TAdvImage &appearance, const PresentationSettings &settings,
                                 PlayerView &audioOwner, Prompter &prompter, const QString &audio,
                                 Scheduler *scheduler, QWidget *parent)
    : TFShowErrW(audioOwner, prompter, audio, parent), m_view(new TAdvImageNew(this)),
      m_scheduler(scheduler)
{
    setObjectName(QStringLiteral("TFShowErrWImage"));
    m_view->setObjectName(QStringLiteral("AdvImage"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    // The panel around the picture as the main view's, without a bevel of its own.
    m_view->panel().applySettings(settings.ImagePanel, QImage());
    m_view->panel().BevelOuter = TBevelCut::bvNone;
    m_view->applySettings(settings);
    // Ctrl+drag zooms; the view holds it back while a mark shows, as the main view does.
    m_view->setManualZoomAllowed(true);
    TAdvImage &img = m_view->Image();
    img.BevelWidth = appearance.BevelWidth;
    img.ImageFrame = appearance.ImageFrame;
    img.StretchRatio = true;
    img.CenterView = true;
    img.Color = appearance.Color;
    img.AmpliationEnabled = appearance.AmpliationEnabled;
    img.setMaxAmpliation(appearance.MaxAmpliation());
    img.Transparent = appearance.Transparent;
    img.GIFAnimate = appearance.GIFAnimate;
    img.GifAnimateSpeed = appearance.GifAnimateSpeed;
}

TFShowErrWImage::~TFShowErrWImage()
{
    stopAnimation();
}

QString TFShowErrWImage::loadPicture(const QString &file, QPoint mark, QSize limit)
{
    const QString cannotOpen = QStringLiteral("No es pot obrir el fitxer %1").arg(file);
    if (!QFileInfo(file).isFile())
        return cannotOpen;
    TAdvImage &img = m_view->Image();
    if (!img.LoadImage(file).isEmpty() || !img.hasPicture())
        return cannotOpen;
    m_view->setMarkPos(mark);
    setWindowTitle(extractFileName(file));

    // What surrounds the picture: the panel's bevels and the picture's own frame.
    m_view->resize(400, 400);
    QSize chrome = m_view->size() - m_view->contentsArea().size();
    if (img.ImageFrame != TAdvImage::ifNone)
        chrome += QSize(2 * img.BevelWidth, 2 * img.BevelWidth);
    const QSize room = (limit - chrome).expandedTo(QSize(1, 1));
    const QSize picture =
        reactionPictureSize(QSize(img.AmpliatedWidth(), img.AmpliatedHeight()), room);
    resize(picture + chrome);
    startAnimation();
    return QString();
}

void TFShowErrWImage::startAnimation()
{
    stopAnimation();
    const TAdvImage &img = m_view->Image();
    if (!m_scheduler || !img.animated())
        return;
    // The same shared timer as the main window's pictures, so the same speeds and floor.
    m_pool = TMPTimerPool::shared(*m_scheduler);
    m_trigger = m_pool->AddTrigger(img.currentFrameDelayMs(), -1, [this](TTrigger &) {
        m_view->Image().nextFrame();
        m_view->update();
        return QString();
    });
    m_pool->SetTriggerEnabled(m_trigger, true);
}

void TFShowErrWImage::stopAnimation()
{
    if (m_pool && m_trigger >= 0)
        m_pool->RemoveTrigger(m_trigger);
    m_trigger = -1;
    m_pool.reset();
}
