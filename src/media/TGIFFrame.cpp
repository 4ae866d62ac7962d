#include "media/TGIFFrame.h"

TGIFFrame::TGIFFrame(TImageDescriptor descriptor, QImage bitmap, int delay)
    : m_descriptor(std::move(descriptor)), m_bitmap(std::move(bitmap)), m_delay(delay)
{}

QString TGIFFrame::setBitmap(const QImage &bitmap)
{
    Q_UNUSED(bitmap);
    return QStringLiteral("No es pot modificar el bitmap %1").arg(QStringLiteral("TGIFFrame"));
}
