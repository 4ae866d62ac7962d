#include "config/Base64.h"

#include "files/AtomicFileWriter.h"
#include "files/TextCodec.h"

#include <QFile>

#include <array>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kLineBytes = 57;
constexpr int kChunkBytes = 2736;

// Encodes one group of up to 57 bytes into at most 76 characters.
void encodeLine(const char *data, int n, QByteArray &out)
{
    for (int i = 0; i < n; i += 3) {
        const int left = std::min(3, n - i);
        const auto b0 = static_cast<unsigned char>(data[i]);
        const auto b1 = left > 1 ? static_cast<unsigned char>(data[i + 1]) : 0u;
        const auto b2 = left > 2 ? static_cast<unsigned char>(data[i + 2]) : 0u;
        const unsigned v = (b0 << 16) | (b1 << 8) | b2;
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += left > 1 ? kAlphabet[(v >> 6) & 63] : '=';
        out += left > 2 ? kAlphabet[v & 63] : '=';
    }
}

std::array<int, 256> decodeTable()
{
    std::array<int, 256> t{};
    t.fill(-1);
    for (int i = 0; i < 64; ++i)
        t[static_cast<unsigned char>(kAlphabet[i])] = i;
    return t;
}

// Decoding state carried across chunks: the bits collected so far.
struct Decoder
{
    unsigned bits = 0;
    int count = 0;
    void feed(const QByteArray &text, QByteArray &out)
    {
        static const std::array<int, 256> table = decodeTable();
        for (char c : text) {
            const int v = table[static_cast<unsigned char>(c)];
            if (v < 0)
                continue;
            bits = (bits << 6) | unsigned(v);
            if (++count == 4) {
                out += char((bits >> 16) & 0xFF);
                out += char((bits >> 8) & 0xFF);
                out += char(bits & 0xFF);
                bits = 0;
                count = 0;
            }
        }
    }
    void finish(QByteArray &out)
    {
        if (count == 2) {
            out += char((bits >> 4) & 0xFF);
        } else if (count == 3) {
            out += char((bits >> 10) & 0xFF);
            out += char((bits >> 2) & 0xFF);
        }
        bits = 0;
        count = 0;
    }
};

} // namespace

QByteArray encodeBase64Bytes(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(bytes.size() * 4 / 3 + bytes.size() / kLineBytes * 2 + 4);
    for (qsizetype i = 0; i < bytes.size(); i += kLineBytes) {
        if (i > 0)
            out += "\r\n";
        encodeLine(bytes.constData() + i, int(std::min<qsizetype>(kLineBytes, bytes.size() - i)),
                   out);
    }
    return out;
}

QByteArray decodeBase64Bytes(const QByteArray &text)
{
    QByteArray out;
    Decoder d;
    d.feed(text, out);
    d.finish(out);
    return out;
}

QString EncodeString(const QString &text)
{
    return QString::fromLatin1(encodeBase64Bytes(encode8BitText(text, encodingForNewText(text))));
}

QString DecodeString(const QString &text)
{
    return decode8BitText(decodeBase64Bytes(text.toLatin1())).text;
}

Base64FileOutcome EncodeFile(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return {false, in.errorString()};
    // The whole text goes to the target in one atomic write.
    QByteArray out;
    bool first = true;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(kChunkBytes);
        if (chunk.isEmpty())
            break;
        QByteArray text;
        for (qsizetype i = 0; i < chunk.size(); i += kLineBytes) {
            if (!first)
                text += "\r\n";
            first = false;
            encodeLine(chunk.constData() + i,
                       int(std::min<qsizetype>(kLineBytes, chunk.size() - i)), text);
        }
        out += text;
    }
    if (in.error() != QFileDevice::NoError)
        return {false, in.errorString()};
    if (!first)
        out += "\r\n";
    const WriteOutcome written = writeFileAtomically(target, out);
    return {written.ok, written.error};
}

Base64FileOutcome DecodeFile(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return {false, in.errorString()};
    QByteArray out;
    Decoder d;
    while (!in.atEnd()) {
        QByteArray bytes;
        d.feed(in.read(3744), bytes);
        out += bytes;
    }
    if (in.error() != QFileDevice::NoError)
        return {false, in.errorString()};
    d.finish(out);
    const WriteOutcome written = writeFileAtomically(target, out);
    return {written.ok, written.error};
}
