#pragma once

#include "users/ui/TFAdministratorOptions.h"

class QButtonGroup;
class QFileSystemModel;
class QGroupBox;
class QTreeView;

// The administrator dialog the program opens: the users page gains the privilege preset, and a
// domains page pairs a folder tree with the domains list.
class TFAdminisUsersDomains : public TFAdministratorOptions
{
    Q_OBJECT
public:
    TFAdminisUsersDomains(AdminOptions &options, TDMAdminUsersDomains &users, Prompter &prompter,
                          QWidget *parent = nullptr);

    QGroupBox *RG_Privileges = nullptr;
    QButtonGroup *privilegeButtons = nullptr;
    QWidget *TS_Domains = nullptr;
    QTreeView *LsDirTree = nullptr;
    QTableView *RxDBG_Domains = nullptr;
    RecordNavigator *moDBN_Domains = nullptr;
    QAction *A_D_SetDir = nullptr;
    QAction *A_D_SearchDir = nullptr;

protected:
    QTableView *currentGrid() const override;
    RecordNavigator *currentNavigator() const override;
    KeyedTableModel *currentModel() const override;
    void updateEnabling() override;
    void pageChanged() override;
    HelpContext pageHelpContext() const override;

private:
    QString treeFolder() const;
    KeyedTableModel *m_domainsModel = nullptr;
    QFileSystemModel *m_folders = nullptr;
};
