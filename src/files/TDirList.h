#pragma once

#include <QString>
#include <QStringList>

// A list of folders kept deepest first (more separators first), folders of equal depth in
// case-insensitive order, each folder once.
class TDirList
{
public:
    void add(const QString &folder);
    void clear() { m_folders.clear(); }
    bool contains(const QString &folder) const { return m_folders.contains(folder); }
    qsizetype count() const { return m_folders.size(); }
    const QStringList &folders() const { return m_folders; }

    // Whether `a` goes before `b` in the list.
    static bool before(const QString &a, const QString &b);

private:
    QStringList m_folders;
};
