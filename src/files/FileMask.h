#pragma once

#include <QString>
#include <QStringList>

// File patterns separated by ";" ("*.jpg;*.gif"), matched against names ignoring letter case.
// "*" stands for any run of characters and "?" for one; a pattern ending in ".*" also takes
// names without an extension, so "*.*" takes every name. When a pattern's extension has no
// wildcard, a name's extension must be exactly it: "*.htm" takes a.htm but not a.html.
class FileMask
{
public:
    FileMask() = default;
    explicit FileMask(const QString &mask);

    const QStringList &patterns() const { return m_patterns; }
    bool isEmpty() const { return m_patterns.isEmpty(); }
    // Whether any pattern takes `fileName`.
    bool matches(const QString &fileName) const;
    static bool matchesPattern(const QString &pattern, const QString &fileName);

private:
    QStringList m_patterns;
};
