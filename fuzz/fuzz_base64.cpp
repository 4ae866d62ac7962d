// Base64 text as stored in the lists and settings: bytes, strings and whole files. Anything
// encoded must decode to what it was.
#include "FuzzSupport.h"
#include "config/Base64.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    const QByteArray input = fuzzBytes(bytes, size);
    const QByteArray decoded = decodeBase64Bytes(input);
    FUZZ_CHECK(decodeBase64Bytes(encodeBase64Bytes(decoded)) == decoded);
    FUZZ_CHECK(decodeBase64Bytes(encodeBase64Bytes(input)) == input);

    const QString text = QString::fromUtf8(input);
    (void)DecodeString(text);
    FUZZ_CHECK(DecodeString(EncodeString(text)) == text);

    const QString source = fuzzScratchFile(QStringLiteral("in.b64"), input);
    const QString target = fuzzScratchDir() + QStringLiteral("/out.bin");
    const Base64FileOutcome outcome = DecodeFile(source, target);
    if (outcome.ok) {
        QFile out(target);
        FUZZ_CHECK(out.open(QIODevice::ReadOnly));
        FUZZ_CHECK(out.readAll() == decoded);
    }
    const QString encodedPath = fuzzScratchDir() + QStringLiteral("/enc.b64");
    if (EncodeFile(source, encodedPath).ok) {
        FUZZ_CHECK(DecodeFile(encodedPath, target).ok);
        QFile out(target);
        FUZZ_CHECK(out.open(QIODevice::ReadOnly));
        FUZZ_CHECK(out.readAll() == input);
    }
    return 0;
}
