#pragma once

#include "files/ui/FolderLinks.h"

#include <QObject>
#include <QPointer>

// A tree's plain reference to its linked file list, cleared when a list that is a QObject is
// destroyed.
class LinkedListRef
{
public:
    void set(LinkedFileList *list)
    {
        m_list = list;
        auto *object = dynamic_cast<QObject *>(list);
        m_isObject = object != nullptr;
        m_guard = object;
    }
    LinkedFileList *get() const
    {
        if (m_isObject && !m_guard)
            return nullptr;
        return m_list;
    }
    // Shows `path` in the list, when there is one.
    void show(const QString &path) const
    {
        if (LinkedFileList *list = get())
            list->SetDirectory(path);
    }

private:
    LinkedFileList *m_list = nullptr;
    QPointer<QObject> m_guard;
    bool m_isObject = false;
};
