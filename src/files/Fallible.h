#pragma once

#include <QString>

#include <optional>
#include <utility>

// The outcome of an operation that can fail: a value, or the Catalan message saying what went
// wrong. Discarding one is a mistake the compiler points out; a caller that has nothing to do
// with a failure says so with a cast to void.
template <typename T> class [[nodiscard]] Fallible
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

// An operation that yields nothing but can fail. A failure may carry an empty message when there
// is nothing left to tell: the user declined a question, or was already told why.
template <> class [[nodiscard]] Fallible<void>
{
public:
    static Fallible success() { return Fallible(true, QString()); }
    static Fallible failure(QString message) { return Fallible(false, std::move(message)); }

    bool ok() const { return m_ok; }
    const QString &error() const { return m_error; }

private:
    Fallible(bool succeeded, QString message) : m_ok(succeeded), m_error(std::move(message)) {}
    bool m_ok;
    QString m_error;
};
