#pragma once

#include <QHash>
#include <QString>

// The keys of the stored rows of a table, compared without regard to case. A key is counted once
// per row that holds it, so a list written by hand with a repeated key still loads whole, and
// taking one of those rows out keeps the key reserved by the other.
class TStringListRMD
{
public:
    void clear() { m_count.clear(); }
    void add(const QString &key);
    void remove(const QString &key);
    bool contains(const QString &key) const;

private:
    static QString fold(const QString &key) { return key.toCaseFolded(); }
    QHash<QString, int> m_count;
};
