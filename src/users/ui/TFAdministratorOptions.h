#pragma once

#include "config/ProgramOptions.h"
#include "files/HelpContexts.h"

#include <QDialog>

#include <functional>
#include <vector>

class AdminOptions;
class DialogHelp;
class HelpRequester;
class KeyedTableModel;
class Prompter;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;
class QTableView;
class QToolButton;
class QVBoxLayout;
class RecordNavigator;
class TDMAdminUsersDomains;
class TFrWriteResults;

// The administrator's dialog: the users folder, whether the administrator password is in use,
// the users list and the administrator's results writing. The rules are AdminOptions'; this
// window maps them to controls.
class TFAdministratorOptions : public QDialog
{
    Q_OBJECT
public:
    TFAdministratorOptions(AdminOptions &options, TDMAdminUsersDomains &users, Prompter &prompter,
                           QWidget *parent = nullptr);

    // Fills the controls from the rules' state and the results settings.
    void load(const TWriteRes &adminResults);
    void store(TWriteRes &adminResults) const;
    // F1 and "Ajuda" open the help of the page shown; the requester must outlive the dialog.
    void setHelp(HelpRequester *help);
    DialogHelp *help() const { return m_dialogHelp; }

    QLabel *L_DBUsersDir;
    QLineEdit *DE_DBUsersDir;
    QToolButton *DE_DBUsersDirBrowse;
    QCheckBox *CB_UseAdminPassword;
    QTabWidget *PageControl;
    QWidget *TS_Users;
    QTableView *RxDBG_Users;
    RecordNavigator *moDBN_Users;
    QLabel *L_UsersCount;
    QLineEdit *E_Group;
    QWidget *TS_WriteResults;
    TFrWriteResults *FrWriteResults;
    QMenu *MI_Table;
    QAction *A_T_First, *A_T_Last, *A_T_BkSet, *A_T_BkGoto, *A_R_Insert, *A_R_Append, *A_R_Delete,
        *A_E_CopyToClipboard, *A_T_SortGroupUser, *A_T_SortUser;

    // The folder dialog of the browse button: "" when cancelled; tests replace it.
    std::function<QString(const QString &current)> chooseFolder;

    void accept() override;
    void reject() override;

protected:
    // The page's grid and navigator ("" page: the results page, no table).
    virtual QTableView *currentGrid() const;
    virtual RecordNavigator *currentNavigator() const;
    virtual KeyedTableModel *currentModel() const;
    virtual void updateEnabling();
    virtual void pageChanged();
    virtual HelpContext pageHelpContext() const;
    void reloadGrids();
    std::vector<int> selectedRows(QTableView *grid) const;
    QVBoxLayout *presetLayout() const { return m_presetLayout; }

    AdminOptions &m_options;
    TDMAdminUsersDomains &m_users;
    Prompter &m_prompter;
    KeyedTableModel *m_usersModel;

private:
    void buildActions();
    bool closeWithSave();
    QVBoxLayout *m_presetLayout = nullptr;
    DialogHelp *m_dialogHelp = nullptr;
    HelpRequester *m_help = nullptr;
};
