#include "config/FontLookup.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

namespace {

struct Substitute
{
    const char *windowsName;
    QFont::StyleHint hint;
};

constexpr Substitute kWindowsFonts[] = {
    {"MS Sans Serif", QFont::SansSerif},   {"MS Shell Dlg", QFont::SansSerif},
    {"MS Shell Dlg 2", QFont::SansSerif},  {"Microsoft Sans Serif", QFont::SansSerif},
    {"Tahoma", QFont::SansSerif},          {"Segoe UI", QFont::SansSerif},
    {"Arial", QFont::SansSerif},           {"Verdana", QFont::SansSerif},
    {"System", QFont::SansSerif},          {"Small Fonts", QFont::SansSerif},
    {"Times New Roman", QFont::Serif},     {"MS Serif", QFont::Serif},
    {"Courier New", QFont::TypeWriter},    {"Courier", QFont::TypeWriter},
    {"Lucida Console", QFont::TypeWriter}, {"Fixedsys", QFont::TypeWriter}};

QString familyFor(QFont::StyleHint hint)
{
    if (hint == QFont::SansSerif)
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    if (hint == QFont::TypeWriter)
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    QFont f;
    f.setStyleHint(hint);
    return f.defaultFamily();
}

} // namespace

FontLookup::FontLookup(const QStringList &installedFamilies)
{
    for (const QString &f : installedFamilies)
        m_upper.insert(f.toUpper());
}

FontLookup FontLookup::fromSystem()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return FontLookup(QStringList());
    return FontLookup(QFontDatabase::families());
}

bool FontLookup::isAvailable(const QString &name) const
{
    const QString upper = name.toUpper();
    if (m_upper.contains(upper))
        return true;
    for (const Substitute &s : kWindowsFonts)
        if (upper == QString::fromLatin1(s.windowsName).toUpper())
            return true;
    return false;
}

void FontLookup::installWindowsSubstitutions()
{
    for (const Substitute &s : kWindowsFonts) {
        const QString name = QString::fromLatin1(s.windowsName);
        if (QFontDatabase::families().contains(name, Qt::CaseInsensitive))
            continue; // really installed: nothing to stand in for
        QFont::insertSubstitution(name, familyFor(s.hint));
    }
}

QStringList FontLookup::windowsSansNames()
{
    QStringList out;
    for (const Substitute &s : kWindowsFonts)
        if (s.hint == QFont::SansSerif)
            out.append(QString::fromLatin1(s.windowsName));
    return out;
}
