#include "files/TStringFileList.h"

bool TStringFileList::storeName(const QString &name)
{
    if (CheckOnAdd && m_names.contains(name)) {
        tellRefused(QStringLiteral("Ja existia '%1' a la llista").arg(name));
        return false;
    }
    m_names << name;
    return true;
}

bool TStringFileList::dropName(const QString &name)
{
    const qsizetype i = m_names.indexOf(name);
    if (i < 0)
        return !CheckOnRemove;
    m_names.removeAt(i);
    return true;
}
