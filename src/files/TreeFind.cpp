#include "files/TreeFind.h"

#include "files/FolderBranch.h"

bool treeCaptionMatches(const QString &upperText, const QString &caption)
{
    const QString upper = caption.toUpper();
    if (upper == upperText || upperText == QStringLiteral("*"))
        return true;
    const qsizetype star = upperText.indexOf(QLatin1Char('*'));
    const qsizetype question = upperText.indexOf(QLatin1Char('?'));
    if (star >= 0 && question < 0)
        return upper.startsWith(QStringView(upperText).left(star));
    if (question >= 0 && star < 0)
        return upper.size() == upperText.size() &&
               QStringView(upper).left(question) == QStringView(upperText).left(question);
    return false;
}

int findInBranch(const FolderBranch &branch, int after, const QString &upperText)
{
    for (int i = after + 1; i < int(branch.entries.size()); ++i)
        if (treeCaptionMatches(upperText, branch.entries[size_t(i)].name))
            return i;
    return -1;
}
