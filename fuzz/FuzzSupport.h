#pragma once

// What the fuzz targets share: the input as Qt types, the application object the drawing
// readers need, and a scratch file for the readers that only take a path.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

inline QByteArray fuzzBytes(const std::uint8_t *bytes, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(size));
}

// One application object for the whole run, on the offscreen platform so that no display is
// needed; fonts and images want it.
inline void fuzzGuiApp()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

// A folder of the run's own, removed at exit.
inline QString fuzzScratchDir()
{
    static QTemporaryDir dir;
    if (!dir.isValid())
        std::abort();
    return dir.path();
}

// Writes the input to `name` in the scratch folder and answers its path.
inline QString fuzzScratchFile(const QString &name, const QByteArray &bytes)
{
    const QString path = fuzzScratchDir() + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    return path;
}

// A fault of the reader that the sanitizers cannot see: a property it promises does not hold.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            qFatal("fuzz check failed: %s (%s:%d)", #condition, __FILE__, __LINE__);               \
        }                                                                                          \
    } while (false)
