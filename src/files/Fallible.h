#pragma once

#include <QString>

#include <optional>
#include <utility>

// The outcome of an operation that can fail: a value, or the Catalan message saying what went
// wrong.
template <typename T>
class Fallible
{
public:
    Fallible(T value) : m_value(std::move(value)) {}
    static Fallible failure(QString message)
    {
        Fallible f;
        f.m_error = std::move(message);
        return f;
    }

    bool ok() const { return m_value.has_value(); }
    const T &value() const { return *m_value; }
    T &value() { return *m_value; }
    T take() { return std::move(*m_value); }
    const QString &error() const { return m_error; }

private:
    Fallible() = default;
    std::optional<T> m_value;
    QString m_error;
};

// Pictures larger than this are refused before anything is allocated for their pixels.
constexpr qint64 kMaxPicturePixels = 64LL * 1024 * 1024;

inline QString pictureTooLargeMessage(qint64 width, qint64 height)
{
    return QStringLiteral("La imatge és massa gran (%1 × %2 píxels)").arg(width).arg(height);
}
