#pragma once

#include <QString>

#include <cstdint>
#include <exception>
#include <string>

// The plug-in host's exception: a plug-in's error code (or the host's own 10 and 11) with its
// fixed English text.
class TAuSException : public std::exception
{
public:
    explicit TAuSException(int code);

    std::uint8_t ErrorCode() const { return m_code; }
    QString Message() const { return QString::fromLatin1(m_text.c_str()); }
    const char *what() const noexcept override { return m_text.c_str(); }

    // The text of a code; codes past the table say which code they are.
    static QString textFor(int code);

private:
    std::uint8_t m_code;
    std::string m_text;
};
