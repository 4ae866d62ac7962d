#pragma once

#include <QByteArray>
#include <QString>

struct WriteOutcome
{
    bool ok = false;
    QString error; // the system's reason when the write failed
};

// Writes `bytes` to a temporary file in the target's folder, flushes it to the disk and renames it
// over the target, so a failure, a crash or a kill leaves the old file whole. A link is written
// through to its file, and an existing file keeps its permissions.
//
// The temporary file is unnamed while it is written where the system allows it; it has a name
// only for the moment of the rename. That name begins with atomicTempPrefix(target): hidden and
// ending in ".tmp", it is never taken for one of the program's files, and the next write of the
// same target removes any such file a killed writer left.
WriteOutcome writeFileAtomically(const QString &path, const QByteArray &bytes);

// "." + the file's name + ".pelvar-", in the file's folder.
QString atomicTempPrefix(const QString &path);
