#include "files/ui/TLsFileListView27PopUp.h"

#include "files/FileListCommands.h"
#include "files/ui/TLsFilelistView27.h"

#include <QFileInfo>
#include <QIcon>

TLsFileListView27PopUp::TLsFileListView27PopUp(TLsFilelistView27 &list) : QMenu(&list), m_list(list)
{
    setObjectName(QStringLiteral("TLsFileListView27PopUp"));
    add(this, QStringLiteral("ItemOpen"), QStringLiteral("&Obre"),
        &TLsFilelistView27::OpenSelected);
    add(this, QStringLiteral("ItemView"), QStringLiteral("&Mostra"),
        &TLsFilelistView27::ViewSelected);
    addSeparator();
    m_send = addMenu(QStringLiteral("E&nvia a"));
    m_send->setObjectName(QStringLiteral("SubMenuSend"));
    m_send->menuAction()->setObjectName(QStringLiteral("SubMenuSend"));
    add(m_send, QStringLiteral("Send_To0"), QStringLiteral("Una carpeta ..."),
        &TLsFilelistView27::SendToFolder);
    add(m_send, QStringLiteral("Send_To1"), QStringLiteral("Portapapers com Contingut"),
        &TLsFilelistView27::SendToClipboardAsContent);
    add(m_send, QStringLiteral("Send_To2"), QStringLiteral("Portapapers com Nom d'arxiu"),
        &TLsFilelistView27::SendToClipboardAsNames);
    m_send->addSeparator()->setObjectName(QStringLiteral("Send_To3"));
    addSeparator();
    add(this, QStringLiteral("ItemOpCut"), QStringLiteral("Re&talla"),
        &TLsFilelistView27::CutSelected);
    add(this, QStringLiteral("ItemOpCopy"), QStringLiteral("&Copia"),
        &TLsFilelistView27::CopySelected);
    add(this, QStringLiteral("ItemOpPaste"), QStringLiteral("En&ganxa"),
        &TLsFilelistView27::PasteFiles);
    addSeparator();
    add(this, QStringLiteral("ItemRename"), QStringLiteral("&Renomena"),
        &TLsFilelistView27::RenameSelected);
    add(this, QStringLiteral("ItemDelete"), QStringLiteral("&Esborra"),
        &TLsFilelistView27::DeleteSelected);
    addSeparator();
    add(this, QStringLiteral("ItemFileAttr"), QStringLiteral("&Atributs ..."),
        &TLsFilelistView27::EditAttributes);
    addSeparator();
    add(this, QStringLiteral("ItemFolder"), QStringLiteral("&Nova carpeta ..."),
        &TLsFilelistView27::NewFolder);
}

QAction *TLsFileListView27PopUp::add(QMenu *menu, const QString &name, const QString &text,
                                     void (TLsFilelistView27::*slot)())
{
    QAction *action = menu->addAction(text);
    action->setObjectName(name);
    connect(action, &QAction::triggered, &m_list, slot);
    return action;
}

QAction *TLsFileListView27PopUp::entry(const QString &name) const
{
    if (m_send->menuAction()->objectName() == name)
        return m_send->menuAction();
    for (const QMenu *menu : {static_cast<const QMenu *>(this), static_cast<const QMenu *>(m_send)})
        for (QAction *action : menu->actions())
            if (action->objectName() == name)
                return action;
    return nullptr;
}

void TLsFileListView27PopUp::prepare()
{
    const QList<int> rows = m_list.selectedRows();
    const bool selected = !rows.isEmpty();
    const FileListItem *current = m_list.listModel().item(m_list.currentItemRow());
    const bool currentFile = current && current->kind == FileItemKind::File;
    for (const char *name :
         {"ItemOpen", "SubMenuSend", "ItemOpCut", "ItemOpCopy", "ItemDelete", "ItemFileAttr"})
        entry(QString::fromLatin1(name))->setEnabled(selected);
    entry(QStringLiteral("ItemView"))
        ->setEnabled(currentFile && FileListCommands::isViewable(current->path()));
    entry(QStringLiteral("ItemOpPaste"))
        ->setEnabled(!m_list.commands().clipboard().names.isEmpty());
    entry(QStringLiteral("ItemRename"))->setEnabled(rows.size() == 1);
    entry(QStringLiteral("ItemFolder"))->setEnabled(!m_list.listModel().isDriveList());
    entry(QStringLiteral("Send_To1"))
        ->setEnabled(currentFile && FileListCommands::clipboardContentKind(current->path()) !=
                                        ClipboardContent::None);

    for (QAction *a : m_shortcutActions)
        delete a;
    m_shortcutActions.clear();
    int number = 4;
    for (const SendToEntry &e : readSendToEntries(m_list.sendToFolder)) {
        QIcon icon = QFileInfo(e.icon).isAbsolute() ? QIcon(e.icon) : QIcon::fromTheme(e.icon);
        QAction *action = m_send->addAction(icon, e.name);
        action->setObjectName(QStringLiteral("Send_To%1").arg(number++));
        connect(action, &QAction::triggered, &m_list, [this, e] { m_list.SendToShortcut(e); });
        m_shortcutActions.push_back(action);
    }
}
