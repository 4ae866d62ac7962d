#include "editors/FavoriteDirList.h"

#include <algorithm>

Fallible<void> checkNewFavoriteDir(const QStringList &dirs, const QString &folder)
{
    if (folder.isEmpty() || folder == QStringLiteral("Dispositiu"))
        return Fallible<void>::failure(QString());
    if (dirs.contains(folder, Qt::CaseSensitive))
        return Fallible<void>::failure(
            QStringLiteral("Ja existeix el directori '%1' a la llista").arg(folder));
    return Fallible<void>::success();
}

QStringList sortedFavoriteDirs(QStringList dirs)
{
    std::stable_sort(dirs.begin(), dirs.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return dirs;
}
