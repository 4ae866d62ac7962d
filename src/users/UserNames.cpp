#include "users/UserNames.h"

bool IsUserNameChar(QChar c, qsizetype pos)
{
    static const QString refused = QStringLiteral(".:/|\\?<>\"");
    if (refused.contains(c))
        return false;
    // Control characters would break the list's rows (TAB, line ends) or the file name.
    if (c.unicode() < 0x20 || c.unicode() == 0x7f)
        return false;
    return !(pos == 0 && c == QLatin1Char(' '));
}

bool IsSafeUserName(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i)
        if (!IsUserNameChar(name[i], i))
            return false;
    return true;
}
