// Feeds arbitrary bytes to the picture decoder by the extension the slide gives; any crash, leak
// or undefined behaviour is a fault.
#include "FuzzSupport.h"
#include "media/SlidePicture.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    fuzzGuiApp(); // fonts and images want the application object
    (void)DecodeSlidePicture(fuzzBytes(bytes, size), QStringLiteral("ico"));
    return 0;
}
