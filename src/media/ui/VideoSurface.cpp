#include "media/ui/VideoSurface.h"

#include "media/VideoGeometry.h"

#include <QPainter>
#include <QResizeEvent>
#include <QVideoFrame>
#include <QVideoSink>

VideoSurface::VideoSurface(QWidget *parent) : QWidget(parent), m_sink(new QVideoSink(this))
{
    setObjectName(QStringLiteral("VideoSurface"));
    // The mouse and the keys go on to the slide area and the window.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    // The sink may be fed from the backend's streaming thread: the frame comes here queued.
    connect(m_sink, &QVideoSink::videoFrameChanged, this,
            [this](const QVideoFrame &frame) { takeFrame(frame); });
}

VideoSurface::~VideoSurface() = default;

void VideoSurface::setFitter(Fitter fitter)
{
    m_fitter = std::move(fitter);
    refit();
}

void VideoSurface::setPanelColor(const QColor &color)
{
    m_panelColor = color;
    update();
}

void VideoSurface::refit()
{
    QRect r;
    if (m_natural.isValid()) {
        r = m_fitter ? m_fitter(m_natural, size())
                     : VideoGeometry::FitVideo(m_natural, false, 100, size());
    }
    if (r != m_display) {
        m_display = r;
        update();
    }
}

void VideoSurface::clear()
{
    m_image = QImage();
    m_natural = QSize();
    m_display = QRect();
    update();
}

void VideoSurface::takeFrame(const QVideoFrame &frame)
{
    if (!frame.isValid())
        return;
    QImage image = frame.toImage();
    if (image.isNull())
        return;
    m_image = std::move(image);
    if (m_image.size() != m_natural) {
        m_natural = m_image.size();
        refit();
        Q_EMIT naturalSizeChanged(m_natural);
    }
    update(m_display);
}

void VideoSurface::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_panelColor.isValid()) {
        const QRegion around = QRegion(rect()) - QRegion(m_display);
        for (const QRect &r : around)
            p.fillRect(r, m_panelColor);
    }
    if (m_image.isNull() || m_display.isEmpty()) {
        if (m_panelColor.isValid())
            p.fillRect(m_display, m_panelColor);
        return;
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(m_display, m_image);
    p.end();
    Q_EMIT framePainted();
}

void VideoSurface::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    refit();
}
