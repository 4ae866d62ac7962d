#pragma once

#include <QByteArray>
#include <QString>

// Base64 with the RFC 2045 alphabet. Encoding breaks the text with CR LF after every 57 input
// bytes (76 characters) and never ends with a break; decoding skips every character outside the
// alphabet, so line breaks, blanks and "=" do not matter.
QByteArray encodeBase64Bytes(const QByteArray &bytes);
QByteArray decodeBase64Bytes(const QByteArray &text);

// Strings go through the 8-bit text rule: Windows-1252 when every character fits, else UTF-8.
QString EncodeString(const QString &text);
QString DecodeString(const QString &text);

struct Base64FileOutcome
{
    bool ok = false;
    QString error;
};
// Files are handled in chunks of 2736 input bytes (48 lines of 57 bytes); each full chunk
// encodes to 3744 characters, its lines ended by CR LF.
Base64FileOutcome EncodeFile(const QString &source, const QString &target);
Base64FileOutcome DecodeFile(const QString &source, const QString &target);
