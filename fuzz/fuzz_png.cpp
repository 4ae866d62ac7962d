// Feeds arbitrary bytes to one decoder; any crash, leak or undefined behaviour is a fault.
#include "FuzzSupport.h"
#include "media/PngDecoder.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    fuzzGuiApp(); // fonts and images want the application object
    (void)DecodePng(fuzzBytes(bytes, size), QString());
    return 0;
}
