// The program's command line: the input's NUL bytes separate the arguments.
#include "FuzzSupport.h"
#include "player/StartupArgs.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    QStringList args;
    for (const QByteArray &piece : fuzzBytes(bytes, size).split('\0'))
        args.append(QString::fromLocal8Bit(piece));
    const StartupArgs parsed = ParseStartupArgs(args);
    // The file is one of the arguments as given, and a user name comes only from the first.
    FUZZ_CHECK(parsed.fileArgument.isEmpty() || args.contains(parsed.fileArgument));
    FUZZ_CHECK(parsed.userName.isEmpty() || args.first().endsWith(parsed.userName));
    return 0;
}
