#include "files/TDirList.h"

#include <algorithm>

namespace {

qsizetype depth(const QString &folder)
{
    return folder.count(QLatin1Char('/')) + folder.count(QLatin1Char('\\'));
}

} // namespace

bool TDirList::before(const QString &a, const QString &b)
{
    const qsizetype da = depth(a);
    const qsizetype db = depth(b);
    if (da != db)
        return da > db;
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

void TDirList::add(const QString &folder)
{
    const auto at = std::lower_bound(m_folders.begin(), m_folders.end(), folder, &before);
    if (at != m_folders.end() && *at == folder)
        return;
    m_folders.insert(at, folder);
}
