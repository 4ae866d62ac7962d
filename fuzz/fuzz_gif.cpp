// Feeds arbitrary bytes to one decoder; any crash, leak or undefined behaviour is a fault.
#include "FuzzSupport.h"
#include "media/GifComposer.h"
#include "media/TGIFData.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    fuzzGuiApp(); // fonts and images want the application object
    auto data = std::make_shared<TGIFData>(fuzzBytes(bytes, size));
    for (const TGIFFrame &frame : data->frames())
        (void)frame.bitmap().size();
    // Every frame laid on the screen, as the views show them.
    GifComposer composer(data);
    for (int i = 0; i < data->frameCount(); ++i)
        (void)composer.frame(i).size();
    return 0;
}
