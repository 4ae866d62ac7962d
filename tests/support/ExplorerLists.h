#pragma once

#include "files/FileListModel.h"
#include "files/FileNames.h"
#include "files/ui/TLsFilelistView27.h"

#include <QItemSelectionModel>
#include <QTest>

// Picking files in an editor's explorer list, as a user selects them before adding them.

// The row of the item named `name` in an explorer list, -1 while the list has not read it.
inline int rowOf(TLsFilelistView27 *list, const QString &name)
{
    for (int r = 0; r < list->listModel().rowCount(); ++r) {
        const FileListItem *item = list->listModel().item(r);
        if (item && !item->isFolderLike() && extractFileName(item->path()) == name)
            return r;
    }
    return -1;
}

// Selects the items of `names` in an explorer list once it has read its folder (it reads on a
// thread of its own).
inline void selectInList(TLsFilelistView27 *list, const QString &folder, const QStringList &names)
{
    list->SetDirectory(folder);
    for (const QString &name : names)
        QTRY_VERIFY(rowOf(list, name) >= 0);
    QItemSelectionModel *sel = list->selectionModel();
    sel->clearSelection();
    for (const QString &name : names)
        sel->setCurrentIndex(list->model()->index(rowOf(list, name), 0),
                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(list->SelectedFileCount(), int(names.size()));
}
