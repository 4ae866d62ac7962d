// Feeds arbitrary bytes to one decoder; any crash, leak or undefined behaviour is a fault.
#include "media/SlidePicture.h"

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
    (void)DecodeSlidePicture(QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(size)),
                             QStringLiteral("bmp"));
    return 0;
}
