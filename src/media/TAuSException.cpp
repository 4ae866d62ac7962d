#include "media/TAuSException.h"

namespace {

constexpr const char *kTexts[] = {
    "No error",
    "Requested operation is not implemented in the decoder",
    "Incorrect decoder mode",
    "Internal decoder error",
    "Invalid object handle passed to decoder",
    "Input stream failure",
    "Output device failure",
    "Not enough memory to perform an operation",
    "Decoder failed to allocate resources",
    "One of callback functions needed to perform an operation not defined",
    "Failed to load or initialize decoder module",
    "Module not initialized",
};

} // namespace

TAuSException::TAuSException(int code)
    : m_code(std::uint8_t(code)), m_text(textFor(m_code).toStdString())
{}

QString TAuSException::textFor(int code)
{
    if (code >= 0 && code < int(std::size(kTexts)))
        return QString::fromLatin1(kTexts[code]);
    return QStringLiteral("Unknown decoder error %1").arg(code);
}
