#include "slides/ui/SlideArea.h"

#include "media/TMPTimerPool.h"
#include "media/TTrigger.h"

#include "config/PresentationSettings.h"
#include "slides/ui/QuestionControls.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QResizeEvent>

SlideArea::SlideArea(const PresentationSettings &settings, Scheduler *scheduler, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_scheduler(scheduler), m_scene(settings)
{
    setObjectName(QStringLiteral("SlideArea"));
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(64, 48);
}

SlideArea::~SlideArea()
{
    stopAnimation();
}

void SlideArea::showQuestion(const QuestionModel &question, std::function<void(int)> onAnswer)
{
    freeQuestion();
    m_scene.setQuestion(question);
    if (!m_scene.hasQuestion())
        return;
    m_question = std::make_unique<QuestionControls>(
        this, question, m_settings, QuestionMode::Presentation, std::move(onAnswer));
    placeQuestion();
    m_question->focusBox();
    update();
    notifyDrawSize();
}

void SlideArea::freeQuestion()
{
    const bool had = m_question || m_scene.hasQuestion();
    m_question.reset();
    m_scene.clearQuestion();
    if (had) {
        placeContent();
        update();
        notifyDrawSize();
    }
}

void SlideArea::placeQuestion()
{
    placeContent();
    if (!m_question)
        return;
    const SlideScene::Layout L = m_scene.layout(size(), this);
    m_question->place(L.question);
}

void SlideArea::setContentView(QWidget *view, ContentPlace place)
{
    if (m_content && m_content != view)
        m_content->hide();
    m_content = view;
    m_contentPlace = place;
    if (!view)
        return;
    if (view->parentWidget() != this)
        view->setParent(this);
    placeContent();
    view->show();
}

QRect SlideArea::contentRect(ContentPlace place) const
{
    const SlideScene::Layout L = m_scene.layout(size(), this);
    if (L.imagePanel.isEmpty())
        return QRect();
    return place == ContentPlace::Panel ? L.imagePanel : m_scene.imageClientRect(size(), this);
}

void SlideArea::placeContent()
{
    if (m_content)
        m_content->setGeometry(contentRect(m_contentPlace));
}

QString SlideArea::showSlide(const SlideRecord &slide)
{
    setContentView(nullptr);
    stopAnimation();
    m_decodeError.clear();
    m_scene.applySettings();
    if (slide.Kind == skImage) {
        const qreal dpr = devicePixelRatioF();
        const QSize target = (QSizeF(m_scene.imageClientRect(size(), this).size()) * dpr).toSize();
        if (auto prepared = m_prefetcher.take(slide.FileName))
            m_decodeError =
                m_scene.showImageSlide(slide, target, &prepared->picture, prepared->prescaled);
        else
            m_decodeError = m_scene.showImageSlide(slide, target);
        restartAnimation();
    } else if (slide.Kind == skTitle) {
        m_scene.showTitleSlide(slide);
    } else if (slide.Kind == skVideo || slide.Kind == skMovie) {
        m_scene.showVideoSlide(slide);
    } else {
        m_scene.showOtherSlide(slide);
    }
    update();
    notifyDrawSize();
    return m_decodeError;
}

QString SlideArea::reloadPicture()
{
    if (m_scene.shown() != SlideScene::Shown::Image)
        return QString();
    stopAnimation();
    const qreal dpr = devicePixelRatioF();
    const QSize target = (QSizeF(m_scene.imageClientRect(size(), this).size()) * dpr).toSize();
    m_decodeError = m_scene.image().LoadImage(m_scene.slide().FileName, target);
    restartAnimation();
    update();
    notifyDrawSize();
    return m_decodeError;
}

void SlideArea::clearSlide()
{
    setContentView(nullptr);
    stopAnimation();
    freeQuestion();
    m_scene.clear();
    m_decodeError.clear();
    update();
    notifyDrawSize();
}

void SlideArea::prefetch(const SlideRecord &next)
{
    if (next.Kind != skImage || next.FileName.isEmpty() || !QFileInfo::exists(next.FileName) ||
        next.FileName == m_scene.image().ImageName())
        return;
    const QSize area = size();
    const qreal dpr = devicePixelRatioF();
    // The drawn size depends on the next slide's own notes; it is worked out on the worker from
    // copies, once the picture's size is known.
    const PresentationSettings settings = m_settings;
    const SlideRecord slide = next;
    SlideScene probe(m_settings);
    probe.showImageSlide([&] {
        SlideRecord s = next;
        s.FileName.clear();
        return s;
    }());
    const QSize target = (QSizeF(probe.imageClientRect(area, this).size()) * dpr).toSize();
    m_prefetcher.prefetch(next.FileName, target, [settings, slide, area, dpr](QSize natural) {
        return SlideScene::plannedPictureSize(settings, slide, natural, area, dpr);
    });
}

void SlideArea::settingsChanged()
{
    m_scene.applySettings();
    // An animated picture starts or stops moving when its animation is switched on or off.
    if (m_scene.shown() != SlideScene::Shown::Image || !m_scene.image().animated())
        stopAnimation();
    else if (m_trigger < 0)
        restartAnimation();
    m_scene.refreshNotes();
    placeQuestion();
    update();
    notifyDrawSize();
}

SlideArea::Content SlideArea::content() const
{
    switch (m_scene.shown()) {
    case SlideScene::Shown::Nothing: return Content::Empty;
    case SlideScene::Shown::Title: return Content::Title;
    case SlideScene::Shown::Other: return Content::Other;
    case SlideScene::Shown::Image: break;
    }
    const TAdvImage &img = m_scene.image();
    if (img.hasPicture())
        return Content::Picture;
    if (!img.missingText().isEmpty())
        return Content::Missing;
    return Content::Broken;
}

int SlideArea::drawSizePercent() const
{
    if (m_scene.shown() != SlideScene::Shown::Image)
        return -1;
    return m_scene.image().DrawSize();
}

SlideArea::Layout SlideArea::layoutFor(const QSize &area, const QPaintDevice *device) const
{
    const SlideScene::Layout s = m_scene.layout(area, device);
    Layout L;
    L.notePanel = s.notePanel;
    L.imagePanel = s.imagePanel;
    L.text1 = s.labels.label1;
    L.text2 = s.labels.label2;
    if (m_scene.shown() == SlideScene::Shown::Image) {
        // Laid out on a copy, so asking about another size leaves the view as it is.
        TAdvImage probe = m_scene.image();
        L.drawSizePercent = probe.layout(m_scene.imageClientRect(area, device));
        if (probe.hasPicture())
            L.picture = probe.pictureRect();
    }
    return L;
}

QImage SlideArea::renderToImage(const QSize &area, qreal devicePixelRatio)
{
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QImage image((QSizeF(area) * dpr).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    QPainter p(&image);
    m_scene.paint(p, area, palette());
    p.end();
    // Rendering at another size must not leave that size's layout behind.
    m_scene.updateDrawSize(size(), this);
    return image;
}

void SlideArea::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    m_scene.paint(p, size(), palette());
    const TAdvImage &img = m_scene.image();
    if (img.selecting()) {
        QPen pen(Qt::white, 1, Qt::DashLine);
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(img.selectionRect());
    }
    p.end();
    notifyDrawSize();
}

void SlideArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeQuestion();
    notifyDrawSize();
}

void SlideArea::notifyDrawSize()
{
    m_scene.updateDrawSize(size(), this);
    const int percent = drawSizePercent();
    if (percent != m_lastDrawSize) {
        m_lastDrawSize = percent;
        Q_EMIT drawSizeChanged(percent);
    }
}

void SlideArea::mousePressEvent(QMouseEvent *event)
{
    TAdvImage &img = m_scene.image();
    if (event->button() == Qt::LeftButton && m_scene.shown() == SlideScene::Shown::Image) {
        const auto r = img.mousePress(event->position().toPoint(),
                                      event->modifiers().testFlag(Qt::ControlModifier));
        if (r == TAdvImage::Press::Selecting) {
            grabMouse();
            event->accept();
            return;
        }
        if (r == TAdvImage::Press::LeaveZoom) {
            update();
            notifyDrawSize();
            event->accept();
            return;
        }
    }
    // Ordinary presses go to the window, which steps a run with the mouse.
    event->ignore();
}

void SlideArea::mouseMoveEvent(QMouseEvent *event)
{
    TAdvImage &img = m_scene.image();
    if (img.selecting()) {
        img.mouseMove(event->position().toPoint());
        update();
        event->accept();
        return;
    }
    event->ignore();
}

void SlideArea::mouseReleaseEvent(QMouseEvent *event)
{
    TAdvImage &img = m_scene.image();
    if (img.selecting()) {
        releaseMouse();
        img.mouseRelease(event->position().toPoint());
        update();
        notifyDrawSize();
        event->accept();
        return;
    }
    event->ignore();
}

void SlideArea::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_scene.image().doubleClick()) {
        update();
        notifyDrawSize();
        event->accept();
        return;
    }
    event->ignore();
}

void SlideArea::stepAnimation()
{
    TAdvImage &img = m_scene.image();
    if (!img.animated()) {
        stopAnimation();
        return;
    }
    img.nextFrame();
    update();
    // Each frame keeps its own delay: the trigger takes the next one's.
    if (m_pool && m_trigger >= 0)
        m_pool->SetTriggerInterval(m_trigger, img.currentFrameDelayMs());
    else
        restartAnimation();
}

void SlideArea::restartAnimation()
{
    stopAnimation();
    const TAdvImage &img = m_scene.image();
    if (!m_scheduler || !img.animated())
        return;
    // Every animated picture of the program steps on the one shared timer.
    if (!m_pool)
        m_pool = TMPTimerPool::shared(*m_scheduler);
    m_trigger = m_pool->AddTrigger(img.currentFrameDelayMs(), -1, [this](TTrigger &) {
        stepAnimation();
        return QString();
    });
    m_pool->SetTriggerEnabled(m_trigger, true);
}

void SlideArea::stopAnimation()
{
    if (m_pool && m_trigger >= 0)
        m_pool->RemoveTrigger(m_trigger);
    m_trigger = -1;
}
