// Feeds arbitrary bytes to the RTF reader; any crash, leak, hang or undefined behaviour is a fault.
// Run with the dictionary of control words beside it:
//   build/fuzz/fuzz_rtf -dict=fuzz/rtf.dict fuzz/corpus/rtf -max_total_time=60
#include "media/RtfReader.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv); // fonts for the document's formats
    QTextDocument doc;
    (void)readRtf(QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(size)), doc);
    (void)doc.toPlainText();
    return 0;
}
