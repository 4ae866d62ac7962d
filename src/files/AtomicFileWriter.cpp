#include "files/AtomicFileWriter.h"

#include <QSaveFile>

WriteOutcome writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return {false, why};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, QString()};
}
