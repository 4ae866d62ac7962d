#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Writes a benchmark's input file whole and returns its path.
inline QString writeBenchFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}
