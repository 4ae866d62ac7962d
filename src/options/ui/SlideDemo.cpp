#include "options/ui/SlideDemo.h"

#include "config/PresentationSettings.h"

#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>

namespace {

// A colourful stand-in picture: stripes and a disc, so enlargement, frame and mark show.
QImage standInPicture()
{
    QImage img(160, 120, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 160, 120);
    g.setColorAt(0, QColor(40, 110, 200));
    g.setColorAt(1, QColor(250, 200, 60));
    p.fillRect(img.rect(), g);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(220, 60, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPoint(80, 60), 30, 30);
    return img;
}

} // namespace

SlideDemo::SlideDemo(const PresentationSettings &settings, QWidget *parent)
    : QWidget(parent), m_scene(settings)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SlideDemo::refresh()
{
    m_scene.applySettings();
    m_scene.refreshNotes();
    update();
}

void SlideDemo::showImage(const SlideRecord &slide)
{
    m_scene.showImageSlide(slide);
    if (!m_scene.image().hasPicture() && !QFileInfo::exists(slide.FileName)) {
        SlidePicture stand;
        stand.image = standInPicture();
        stand.naturalSize = stand.image.size();
        m_scene.image().setPicture(slide.FileName, stand);
    }
    update();
}

QImage SlideDemo::picture()
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Button));
    QPainter p(&image);
    m_scene.paint(p, size(), palette());
    return image;
}

void SlideDemo::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    m_scene.paint(p, size(), palette());
}

void SlideDemo::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Q_EMIT resized();
}
