#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// Which stored font names can be used. The families installed here count, and so do the
// Windows interface names that lists made elsewhere store ("MS Sans Serif" and the like): they
// are drawn in the system's matching family through Qt's font substitution, while the files keep
// the stored name.
class FontLookup
{
public:
    explicit FontLookup(const QStringList &installedFamilies);
    // The installed families of this system (needs a GUI application object).
    static FontLookup fromSystem();

    bool isAvailable(const QString &name) const;

    // Registers the substitutions for the common Windows font names with Qt; call once after
    // the application object exists.
    static void installWindowsSubstitutions();
    static QStringList windowsSansNames();

private:
    QSet<QString> m_upper;
};
