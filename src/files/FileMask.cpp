#include "files/FileMask.h"

#include "files/FileNames.h"

namespace {

// Wildcard match with backtracking over the last "*"; linear in practice for file names.
bool wildcardMatch(QStringView pattern, QStringView name)
{
    qsizetype p = 0, n = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == QLatin1Char('?') ||
                                   pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starP = p++;
            starN = n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

} // namespace

FileMask::FileMask(const QString &mask)
{
    for (const QString &part : mask.split(QLatin1Char(';'))) {
        const QString pattern = part.trimmed();
        if (!pattern.isEmpty())
            m_patterns.append(pattern);
    }
}

bool FileMask::matchesPattern(const QString &pattern, const QString &fileName)
{
    const qsizetype dot = pattern.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0) {
        const QStringView patternExt = QStringView(pattern).mid(dot + 1);
        if (!patternExt.contains(QLatin1Char('*')) && !patternExt.contains(QLatin1Char('?')) &&
            fileExtension(fileName).compare(patternExt, Qt::CaseInsensitive) != 0)
            return false;
    }
    if (wildcardMatch(pattern, fileName))
        return true;
    // "name.*" also takes "name": the extension may be missing altogether.
    if (pattern.endsWith(QStringLiteral(".*")) && !fileName.contains(QLatin1Char('.')))
        return wildcardMatch(QStringView(pattern).chopped(2), fileName);
    return false;
}

bool FileMask::matches(const QString &fileName) const
{
    for (const QString &pattern : m_patterns)
        if (matchesPattern(pattern, fileName))
            return true;
    return false;
}
