#include "editors/ui/Miniature.h"

#include "media/PicturePrefetcher.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPointer>
#include <QThreadPool>

Miniature::Miniature(QWidget *parent)
    : TAdvImageNew(parent), m_generation(std::make_shared<std::atomic<int>>(0))
{
    setBackground(kClBtnFace);
    Image().StretchRatio = true;
    Image().CenterView = true;
    setManualZoomAllowed(false);
}

Miniature::~Miniature()
{
    ++*m_generation;
}

void Miniature::showPicture(const QString &path, QPoint mark)
{
    const int generation = ++*m_generation;
    m_path = path;
    m_ready = false;
    Image().Caption.clear();
    setMarkPos(mark);
    const qreal dpr = devicePixelRatioF();
    const QSize target = (contentsArea().size() * dpr).expandedTo(QSize(16, 16));
    QPointer<Miniature> self(this);
    auto counter = m_generation;
    QThreadPool::globalInstance()->start([self, counter, generation, path, target]() {
        if (counter->load() != generation)
            return;
        // Decoded near the miniature's size (a JPEG by its DCT scaling) and scaled to fit.
        PreparedPicture prepared =
            PicturePrefetcher::prepare(path, target, [target](QSize natural) {
                return natural.scaled(target, Qt::KeepAspectRatio).boundedTo(natural);
            });
        if (counter->load() != generation)
            return;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, counter, generation, path, prepared = std::move(prepared)]() {
                if (!self || counter->load() != generation)
                    return;
                self->Image().setPicture(path, prepared.picture, prepared.prescaled);
                self->m_ready = true;
                self->update();
                Q_EMIT self->pictureShown();
            },
            Qt::QueuedConnection);
    });
    update();
}

void Miniature::showCaption(const QString &caption)
{
    ++*m_generation;
    m_path.clear();
    m_ready = true;
    Image().Clear();
    setMarkPos(QPoint(-1, -1));
    Image().Caption = caption;
    update();
}

void Miniature::clearMiniature()
{
    showCaption(QString());
}

void Miniature::setBackground(TColor colour)
{
    panel().BackGroundEffect = bdFlat;
    panel().ColorStart = colour;
    Image().Color = colour;
    update();
}

void Miniature::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && !MarkSetPos) {
        Q_EMIT clicked();
        return;
    }
    TAdvImageNew::mousePressEvent(event);
}
