// Feeds arbitrary bytes to one decoder; any crash, leak or undefined behaviour is a fault.
#include "media/WmfPicture.h"
#include <QPainter>

#include <QByteArray>
#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv); // fonts for drawn text
    auto pic =
        WmfPicture::fromBytes(QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(size)));
    if (pic.ok()) {
        QImage canvas(64, 64, QImage::Format_RGB32);
        QPainter painter(&canvas);
        pic.value()->paint(painter, QRectF(0, 0, 64, 64));
    }
    return 0;
}
