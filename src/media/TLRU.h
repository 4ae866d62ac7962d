#pragma once

#include <QString>
#include <QStringList>

// A most-recently-used list of names, most recent first, stored in a ".lru" text file beside the
// program: the program's path without its extension, "_" + list name + number when either is
// set, then ".lru".
class TLRU
{
public:
    explicit TLRU(int maxItems = 10);

    int maxItems() const { return m_max; }
    // 1 to 10; a smaller maximum drops names from the end.
    void setMaxItems(int maxItems);

    // Puts `name` at the top; a name already listed (in any letter case) moves up, written as
    // now given; a full list drops its last name.
    void AddItem(const QString &name);
    // Removes `name` (any letter case) and returns it; "" when it was not listed.
    QString RemoveItem(const QString &name);
    int count() const { return int(m_names.size()); }
    QString at(int index) const { return m_names.value(index); }
    const QStringList &names() const { return m_names; }
    void clear();
    bool modified() const { return m_modified; }

    static QString storageFileName(const QString &programPath, const QString &listName,
                                   int listNumber);
    void setFileName(const QString &path) { m_fileName = path; }
    const QString &fileName() const { return m_fileName; }
    // Loading keeps at most maxItems names; an error leaves the list as far as it was read.
    void loadFromFile();
    // An empty list deletes the file; returns whether the file is as the list says.
    bool saveToFile();

private:
    QStringList m_names;
    int m_max;
    bool m_modified = false;
    QString m_fileName;
};
