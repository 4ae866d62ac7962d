#include "player/StartupArgs.h"

StartupArgs ParseStartupArgs(const QStringList &args)
{
    StartupArgs out;
    if (args.isEmpty())
        return out;
    const QString &first = args.first();
    bool switched = false;
    // On this system absolute paths also start with "/": an argument is a switch only when it is
    // the two characters alone or its third character is ":" ("/Arxius/a.sal" is a path).
    const bool switchShape =
        first.size() == 2 || (first.size() >= 3 && first[2] == QLatin1Char(':'));
    if (first.startsWith(QLatin1Char('/')) && switchShape) {
        const QChar c = first[1].toUpper();
        const bool known = c == QLatin1Char('A') || c == QLatin1Char('E') || c == QLatin1Char('L');
        if (known) {
            switched = true;
            out.accessLevel = c == QLatin1Char('A')   ? AccessLevel::Full
                              : c == QLatin1Char('E') ? AccessLevel::Editing
                                                      : AccessLevel::ViewOnly;
            if (first.size() >= 5 && first[2] == QLatin1Char(':'))
                out.userName = first.mid(3);
        }
    }
    if (switched) {
        if (args.size() >= 2)
            out.fileArgument = args[1];
    } else {
        out.fileArgument = first;
    }
    return out;
}
