// Feeds arbitrary bytes to one decoder; any crash, leak or undefined behaviour is a fault.
#include "FuzzSupport.h"
#include "media/WmfPicture.h"
#include <QPainter>

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    fuzzGuiApp(); // fonts and images want the application object
    auto pic = WmfPicture::fromBytes(fuzzBytes(bytes, size));
    if (pic.ok()) {
        QImage canvas(64, 64, QImage::Format_RGB32);
        QPainter painter(&canvas);
        pic.value()->paint(painter, QRectF(0, 0, 64, 64));
    }
    return 0;
}
