#pragma once

#include <QByteArray>
#include <QString>

struct WriteOutcome
{
    bool ok = false;
    QString error; // the system's reason when the write failed
};

// Writes `bytes` to a temporary file in the target's folder and renames it over the target, so a
// failure or a crash leaves the old file whole.
WriteOutcome writeFileAtomically(const QString &path, const QByteArray &bytes);
