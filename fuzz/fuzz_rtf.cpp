// Feeds arbitrary bytes to the RTF reader; any crash, leak, hang or undefined behaviour is a fault.
// Run with the dictionary of control words beside it:
//   build/fuzz/fuzz_rtf -dict=fuzz/rtf.dict fuzz/corpus/rtf -max_total_time=60
#include "FuzzSupport.h"
#include "media/RtfReader.h"

#include <QByteArray>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    fuzzGuiApp(); // fonts and images want the application object
    QTextDocument doc;
    (void)readRtf(fuzzBytes(bytes, size), doc);
    (void)doc.toPlainText();
    return 0;
}
