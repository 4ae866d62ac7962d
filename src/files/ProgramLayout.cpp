#include "files/ProgramLayout.h"

#include <QDir>
#include <QFileInfo>

ProgramLayout::ProgramLayout(const QString &programDir) : m_programDir(programDir) {}

QStringList ProgramLayout::dataDirs() const
{
    const QDir dir(m_programDir);
    return {QDir::cleanPath(dir.filePath(installedDataFromProgram())),
            QDir::cleanPath(dir.filePath(QStringLiteral("../share/pelvar")))};
}

QString ProgramLayout::find(const QString &relativePath) const
{
    const QStringList dirs = dataDirs();
    for (const QString &dir : dirs) {
        const QString path = QDir(dir).filePath(relativePath);
        if (QFileInfo::exists(path))
            return path;
    }
    return QDir(dirs.first()).filePath(relativePath);
}

bool ProgramLayout::installed() const
{
    return QFileInfo(dataDirs().first()).isDir();
}
