#include "files/TGenericFileList.h"

#include "files/CopyMovePlan.h"
#include "files/FileChecks.h"
#include "files/Prompter.h"

#include <QDir>

void TGenericFileList::setStrSourceDir(const QString &folder)
{
    if (folder == m_sourceDir)
        return;
    Clear();
    m_sourceDir = folder;
}

QString TGenericFileList::storedForm(const QString &fullName) const
{
    if (m_sourceDir.isEmpty())
        return fullName;
    const QString prefix =
        m_sourceDir.endsWith(QLatin1Char('/')) ? m_sourceDir : m_sourceDir + QLatin1Char('/');
    if (!fullName.startsWith(prefix))
        return QString();
    return fullName.mid(prefix.size());
}

bool TGenericFileList::AddFile(const QString &fullName)
{
    if (!fileExists(fullName))
        return false;
    if (OnOtherCorrectFile && !OnOtherCorrectFile(fullName))
        return false;
    const QString stored = storedForm(fullName);
    if (stored.isEmpty())
        return false;
    if (!storeName(stored))
        return false;
    const QString folder = folderPart(fullName);
    if (!m_dirs.contains(folder)) {
        m_dirs.add(folder);
        if (OnChangeDir)
            OnChangeDir(folder);
    }
    if (OnAddRemoveFile)
        OnAddRemoveFile(int(count()));
    return true;
}

void TGenericFileList::AddDirectory(const QString &folder)
{
    m_dirs.add(folder);
}

bool TGenericFileList::RemoveFile(const QString &fullName)
{
    const QString stored = storedForm(fullName);
    if (stored.isEmpty() || !dropName(stored))
        return false;
    if (OnAddRemoveFile)
        OnAddRemoveFile(int(count()));
    return true;
}

void TGenericFileList::Clear()
{
    clearNames();
    m_dirs.clear();
    m_keepTelling = true;
    if (OnAddRemoveFile)
        OnAddRemoveFile(0);
}

QString TGenericFileList::fullName(qsizetype i) const
{
    if (m_sourceDir.isEmpty())
        return name(i);
    return m_sourceDir.endsWith(QLatin1Char('/')) ? m_sourceDir + name(i)
                                                  : m_sourceDir + QLatin1Char('/') + name(i);
}

QStringList TGenericFileList::fullNames() const
{
    QStringList out;
    for (qsizetype i = 0; i < count(); ++i)
        out << fullName(i);
    return out;
}

void TGenericFileList::tellRefused(const QString &message)
{
    if (!MessOnNoAddOrNoRemove || !m_keepTelling)
        return;
    if (!m_prompter.AskYes(message + QStringLiteral(", presentar nous missatges similars?")))
        m_keepTelling = false;
}
