#include "media/TAuPlayerMan.h"

#include "media/TAuSException.h"

#include <QDir>

namespace {

// Upper case for ASCII letters only, as extension lists are compared.
QString asciiUpper(const QString &s)
{
    QString out = s;
    for (QChar &c : out)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return out;
}

} // namespace

TAuPlayer *TAuPlayerMan::FindPlayer(const QString &ext) const
{
    if (ext == QLatin1String("."))
        return nullptr;
    const QString wanted = asciiUpper(ext);
    for (int i = 0; i < m_players.count(); ++i) {
        TAuPlayer &p = m_players.at(i);
        if (!p.Initialized())
            continue;
        QString exts;
        try {
            exts = p.Extensions();
        } catch (...) {
            continue;
        }
        if (asciiUpper(exts).contains(wanted))
            return &p;
    }
    return nullptr;
}

int TAuPlayerMan::AddPluginsIn(const QString &folder)
{
    const QDir dir(folder);
    const QStringList files = dir.entryList(
        {QStringLiteral("*.apq")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    int added = 0;
    for (const QString &name : files) {
        TAuPlayer &p = m_players.add();
        p.setPathToDLL(dir.filePath(name));
        try {
            p.Init();
            p.setInputMode(TAuSInputMode::imFile);
            p.setOutputMode(TAuSOutputMode::omMMSystem);
            p.setOutputDevNum(-1); // the system's default device
            ++added;
        } catch (...) {
            m_players.remove(p);
        }
    }
    return added;
}
