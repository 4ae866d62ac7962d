// Feeds arbitrary bytes to one decoder; any crash, leak or undefined behaviour is a fault.
#include "FuzzSupport.h"
#include "media/JpegDecoder.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    fuzzGuiApp(); // fonts and images want the application object
    const QByteArray data(fuzzBytes(bytes, size));
    (void)decodeJpeg(data);
    (void)decodeJpeg(data, QSize(64, 64));
    return 0;
}
