#include "media/TLRU.h"

#include "files/AtomicFileWriter.h"
#include "files/FileNames.h"
#include "files/TextCodec.h"

#include <QFile>

#include <algorithm>

TLRU::TLRU(int maxItems) : m_max(std::clamp(maxItems, 1, 10)) {}

void TLRU::setMaxItems(int maxItems)
{
    m_max = std::clamp(maxItems, 1, 10);
    while (m_names.size() > m_max) {
        m_names.removeLast();
        m_modified = true;
    }
}

void TLRU::AddItem(const QString &name)
{
    RemoveItem(name);
    m_names.prepend(name);
    while (m_names.size() > m_max)
        m_names.removeLast();
    m_modified = true;
}

QString TLRU::RemoveItem(const QString &name)
{
    for (qsizetype i = 0; i < m_names.size(); ++i) {
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0) {
            const QString removed = m_names.takeAt(i);
            m_modified = true;
            return removed;
        }
    }
    return QString();
}

void TLRU::clear()
{
    if (!m_names.isEmpty())
        m_modified = true;
    m_names.clear();
}

QString TLRU::storageFileName(const QString &programPath, const QString &listName, int listNumber)
{
    QString suffix = listName;
    if (listNumber != 0)
        suffix += QString::number(listNumber);
    if (!suffix.isEmpty())
        suffix.prepend(QLatin1Char('_'));
    return pathWithoutExt(programPath) + suffix + QStringLiteral(".lru");
}

void TLRU::loadFromFile()
{
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QStringList lines = splitTextLines(decode8BitText(file.readAll()).text);
    m_names.clear();
    for (const QString &line : lines) {
        if (line.isEmpty())
            continue;
        if (m_names.size() >= m_max)
            break;
        m_names.append(line);
    }
    m_modified = false;
}

bool TLRU::saveToFile()
{
    if (m_fileName.isEmpty())
        return false;
    if (m_names.isEmpty())
        return !QFile::exists(m_fileName) || QFile::remove(m_fileName);
    const QString text = joinTextLines(m_names);
    const bool ok =
        writeFileAtomically(m_fileName, encode8BitText(text, encodingForNewText(text))).ok;
    if (ok)
        m_modified = false;
    return ok;
}
