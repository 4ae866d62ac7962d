#include "media/TGIFImage.h"

#include "files/Prompter.h"

#include <QIODevice>
#include <QPainter>

namespace {
constexpr qint64 kStartIntervalMs = 10;
}

TGIFImage::TGIFImage(Scheduler &scheduler, Prompter *prompter)
    : m_pool(TMPTimerPool::shared(scheduler)), m_prompter(prompter)
{
    m_trigger = m_pool->AddTrigger(kStartIntervalMs, -1, [this](TTrigger &) {
        nextFrame();
        return QString();
    });
}

TGIFImage::~TGIFImage()
{
    m_pool->RemoveTrigger(m_trigger);
}

void TGIFImage::loadFromBytes(const QByteArray &bytes)
{
    m_data = std::make_shared<TGIFData>(bytes);
    afterLoad();
}

void TGIFImage::loadFromStream(QIODevice &device)
{
    loadFromBytes(device.readAll());
}

std::optional<QString> TGIFImage::saveToStream(QIODevice &device) const
{
    if (!m_data)
        return QStringLiteral("No data al GIF");
    if (device.write(m_data->bytes()) != m_data->bytes().size())
        return QStringLiteral("No es pot escriure el GIF: %1").arg(device.errorString());
    return std::nullopt;
}

void TGIFImage::assign(const TGIFImage *other)
{
    if (other == this)
        return;
    m_data = other ? other->m_data : nullptr;
    afterLoad();
}

QString TGIFImage::assignRefusal(const QString &className)
{
    return QStringLiteral("No es pot assignar a %1").arg(className);
}

void TGIFImage::afterLoad()
{
    m_frameIndex = -1;
    m_composer = GifComposer(m_data);
    if (!m_data) {
        if (onChange)
            onChange();
        return;
    }
    SetFrameIndex(0);
    showDrawingErrors();
}

void TGIFImage::showDrawingErrors()
{
    if (!m_prompter)
        return;
    for (const QString &error : m_data->drawingErrors())
        m_prompter->ShowError(error);
}

int TGIFImage::width() const
{
    return m_data ? m_data->screenWidth() : 0;
}

int TGIFImage::height() const
{
    return m_data ? m_data->screenHeight() : 0;
}

int TGIFImage::frameCount() const
{
    return m_data ? m_data->frameCount() : 0;
}

Fallible<const TGIFFrame *> TGIFImage::frame(int index) const
{
    const int count = frameCount();
    if (index < 0 || index >= count)
        return Fallible<const TGIFFrame *>::failure(
            QStringLiteral("El número del marc és invàlid %1 (0..%2)").arg(index).arg(count - 1));
    return &m_data->frames()[size_t(index)];
}

void TGIFImage::SetFrameIndex(int index)
{
    const int count = frameCount();
    if (count == 0)
        return;
    index = qBound(0, index, count - 1);
    if (index == m_frameIndex)
        return;
    m_frameIndex = index;
    m_pool->SetTriggerInterval(m_trigger, qint64(m_data->frames()[size_t(index)].delay()) * 10);
    if (onChange)
        onChange();
}

void TGIFImage::nextFrame()
{
    const int count = frameCount();
    if (count == 0)
        return;
    SetFrameIndex(m_frameIndex + 1 >= count ? 0 : m_frameIndex + 1);
}

void TGIFImage::Animate(bool on)
{
    m_pool->SetTriggerEnabled(m_trigger, on);
}

bool TGIFImage::animating() const
{
    const TTrigger *t = m_pool->trigger(m_trigger);
    return t && t->enabled();
}

void TGIFImage::AnimateSpeed(int value)
{
    if (!m_data)
        return;
    for (TGIFFrame &f : m_data->frames())
        f.setDelay(value);
    if (m_frameIndex >= 0)
        m_pool->SetTriggerInterval(m_trigger, qint64(value) * 10);
}

void TGIFImage::draw(QPainter &painter, const QRectF &target) const
{
    if (m_frameIndex < 0)
        return;
    const QImage &screen = m_composer.frame(m_frameIndex);
    if (!screen.isNull())
        painter.drawImage(target, screen);
}
