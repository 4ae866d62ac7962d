#include "users/ui/TFAdministratorOptions.h"

#include "config/ui/TFrWriteResults.h"
#include "files/Prompter.h"
#include "files/ui/DialogHelp.h"
#include "files/ui/QtShell.h"
#include "files/ui/RecordNavigator.h"
#include "files/ui/TFChooseFolder.h"
#include "users/AdminOptions.h"
#include "users/KeyedTableModel.h"
#include "users/TDMAdminUsersDomains.h"
#include "users/ui/UserDialogButtons.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Passwords are typed without being shown, and no longer than the field.
class PasswordDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *w = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            edit->setEchoMode(QLineEdit::Password);
            edit->setMaxLength(6);
        }
        return w;
    }
};

} // namespace

TFAdministratorOptions::TFAdministratorOptions(AdminOptions &options, TDMAdminUsersDomains &users,
                                               Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_options(options), m_users(users), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFAdministratorOptions"));
    setWindowTitle(QStringLiteral("Opcions de l'administrador"));
    auto *layout = new QVBoxLayout(this);

    auto *top = new QHBoxLayout;
    L_DBUsersDir = new QLabel(
        QStringLiteral("&Directori de llistes (usuaris i dominis) i config. resultats"), this);
    DE_DBUsersDir = new QLineEdit(this);
    DE_DBUsersDir->setObjectName(QStringLiteral("DE_DBUsersDir"));
    DE_DBUsersDir->setReadOnly(true); // chosen, not typed
    L_DBUsersDir->setBuddy(DE_DBUsersDir);
    DE_DBUsersDirBrowse = new QToolButton(this);
    DE_DBUsersDirBrowse->setText(QStringLiteral("..."));
    CB_UseAdminPassword = new QCheckBox(QStringLiteral("Actives"), this);
    CB_UseAdminPassword->setObjectName(QStringLiteral("CB_UseAdminPassword"));
    auto *dirColumn = new QVBoxLayout;
    dirColumn->addWidget(L_DBUsersDir);
    auto *dirRow = new QHBoxLayout;
    dirRow->addWidget(DE_DBUsersDir, 1);
    dirRow->addWidget(DE_DBUsersDirBrowse);
    dirColumn->addLayout(dirRow);
    top->addLayout(dirColumn, 1);
    auto *passwordBox = new QGroupBox(QStringLiteral("Contrasenya"), this);
    auto *passwordLayout = new QVBoxLayout(passwordBox);
    passwordLayout->addWidget(CB_UseAdminPassword);
    top->addWidget(passwordBox);
    layout->addLayout(top);

    PageControl = new QTabWidget(this);
    TS_Users = new QWidget(PageControl);
    auto *usersLayout = new QVBoxLayout(TS_Users);
    auto *bar = new QHBoxLayout;
    usersLayout->addLayout(bar);
    RxDBG_Users = new QTableView(TS_Users);
    RxDBG_Users->setObjectName(QStringLiteral("RxDBG_Users"));
    m_usersModel = new KeyedTableModel(users.RMD_Users,
                                       {QStringLiteral("Grup"), QStringLiteral("Usuari"),
                                        QStringLiteral("Contrasenya"), QStringLiteral("P")},
                                       prompter, this);
    RxDBG_Users->setModel(m_usersModel);
    RxDBG_Users->setItemDelegateForColumn(m_usersModel->passwordColumn(),
                                          new PasswordDelegate(RxDBG_Users));
    RxDBG_Users->setSelectionBehavior(QAbstractItemView::SelectRows);
    RxDBG_Users->setSelectionMode(QAbstractItemView::ExtendedSelection);
    usersLayout->addWidget(RxDBG_Users, 1);
    auto *navRow = new QHBoxLayout;
    moDBN_Users = new RecordNavigator(TS_Users);
    moDBN_Users->setObjectName(QStringLiteral("moDBN_Users"));
    moDBN_Users->attach(RxDBG_Users);
    moDBN_Users->setEditing(true);
    navRow->addWidget(moDBN_Users);
    L_UsersCount = new QLabel(TS_Users);
    navRow->addWidget(L_UsersCount);
    navRow->addStretch(1);
    usersLayout->addLayout(navRow);
    auto *presets = new QGroupBox(QStringLiteral("Preassignació de camps"), TS_Users);
    m_presetLayout = new QVBoxLayout(presets);
    auto *groupRow = new QHBoxLayout;
    auto *groupLabel = new QLabel(QStringLiteral("Grup"), presets);
    E_Group = new QLineEdit(presets);
    E_Group->setObjectName(QStringLiteral("E_Group"));
    E_Group->setMaxLength(4);
    E_Group->setMaximumWidth(fontMetrics().averageCharWidth() * 10);
    groupRow->addWidget(groupLabel);
    groupRow->addWidget(E_Group);
    groupRow->addStretch(1);
    m_presetLayout->addLayout(groupRow);
    usersLayout->addWidget(presets);
    PageControl->addTab(TS_Users, QStringLiteral("Usuaris"));

    TS_WriteResults = new QWidget(PageControl);
    auto *resultsLayout = new QVBoxLayout(TS_WriteResults);
    FrWriteResults = new TFrWriteResults(prompter, TS_WriteResults);
    resultsLayout->addWidget(FrWriteResults);
    resultsLayout->addStretch(1);
    PageControl->addTab(TS_WriteResults, QStringLiteral("Escriptura resultats"));
    layout->addWidget(PageControl, 1);

    QPushButton *helpButton = nullptr;
    QDialogButtonBox *buttons = okCancelHelpButtons(this, helpButton);
    m_dialogHelp = new DialogHelp(this, helpButton);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TFAdministratorOptions::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TFAdministratorOptions::reject);

    buildActions();
    addToolButton(bar, A_E_CopyToClipboard, this);
    addToolButton(bar, A_T_SortGroupUser, this);
    addToolButton(bar, A_T_SortUser, this);
    bar->addStretch(1);
    auto *menuBar = new QMenuBar(this);
    MI_Table = menuBar->addMenu(QStringLiteral("Taula"));
    MI_Table->addActions({A_T_First, A_T_Last, A_T_BkSet, A_T_BkGoto});
    MI_Table->addSeparator();
    MI_Table->addActions({A_R_Insert, A_R_Append, A_R_Delete});
    MI_Table->addSeparator();
    MI_Table->addActions({A_E_CopyToClipboard, A_T_SortGroupUser, A_T_SortUser});
    layout->setMenuBar(menuBar);

    // The users folder is chosen on the program's folder dialog, the docked folder tree.
    chooseFolder = [this](const QString &current) {
        static QtShell shell;
        return ChooseFolder(current, m_prompter, shell, this);
    };
    connect(DE_DBUsersDirBrowse, &QToolButton::clicked, this, [this] {
        const QString dir = chooseFolder(DE_DBUsersDir->text());
        if (dir.isEmpty())
            return;
        m_options.setUsersDir(dir);
        DE_DBUsersDir->setText(m_options.usersDir());
        reloadGrids();
    });
    connect(CB_UseAdminPassword, &QCheckBox::clicked, this, [this](bool on) {
        m_options.setPasswordInUse(on);
        reloadGrids();
    });
    connect(E_Group, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_users.groupPreset = text; });
    connect(PageControl, &QTabWidget::currentChanged, this, [this] { pageChanged(); });
    connect(m_usersModel, &QAbstractItemModel::modelReset, this, [this] { updateEnabling(); });
    connect(m_usersModel, &QAbstractItemModel::rowsInserted, this, [this] { updateEnabling(); });
    m_users.presetsActive = true;
}

void TFAdministratorOptions::buildActions()
{
    auto make = [this](const char *name, const char *caption) {
        auto *a = new QAction(QString::fromUtf8(caption), this);
        a->setObjectName(QString::fromUtf8(name));
        return a;
    };
    A_T_First = make("A_T_First", "Vés al principi de la taula");
    A_T_Last = make("A_T_Last", "Vés al final de la taula");
    A_T_BkSet = make("A_T_BkSet", "Anota una fila");
    A_T_BkGoto = make("A_T_BkGoto", "Vés a la fila anotada");
    A_R_Insert = make("A_R_Insert", "Insereix abans de l'actual");
    A_R_Append = make("A_R_Append", "Afegeix al final");
    A_R_Delete = make("A_R_Delete", "Esborra fila(es)");
    A_E_CopyToClipboard = make("A_E_CopyToClipboard", "Copia al portapapers");
    A_E_CopyToClipboard->setToolTip(
        QStringLiteral("Copia la taula al portapapers,\namb els camps separats per tabuladors"));
    A_T_SortGroupUser = make("A_T_SortGroupUser", "Ordena la taula per grup i usuari");
    A_T_SortUser = make("A_T_SortUser", "Ordena la taula per usuari");

    connect(A_T_First, &QAction::triggered, this, [this] { currentNavigator()->first(); });
    connect(A_T_Last, &QAction::triggered, this, [this] { currentNavigator()->last(); });
    connect(A_T_BkSet, &QAction::triggered, this, [this] { currentNavigator()->setBookmark(); });
    connect(A_T_BkGoto, &QAction::triggered, this, [this] { currentNavigator()->gotoBookmark(); });
    connect(A_R_Insert, &QAction::triggered, this, [this] { currentNavigator()->insert(); });
    connect(A_R_Append, &QAction::triggered, this, [this] {
        KeyedTableModel *m = currentModel();
        // The row in edit is stored first: the end is counted after it.
        if (m->post() && m->insertRows(m->keyedTable().rowCount(), 1))
            currentGrid()->setCurrentIndex(m->index(m->keyedTable().editRow(), 0));
    });
    connect(A_R_Delete, &QAction::triggered, this, [this] {
        KeyedTableModel *m = currentModel();
        if (!m->post())
            return;
        const std::vector<int> rows = selectedRows(currentGrid());
        if (m == m_usersModel)
            m_options.deleteUserRows(rows);
        else
            m_options.deleteDomainRows(rows);
        m->reload();
    });
    connect(A_E_CopyToClipboard, &QAction::triggered, this, [this] {
        QApplication::clipboard()->setText(currentModel()->keyedTable().rowsText());
    });
    connect(A_T_SortGroupUser, &QAction::triggered, this, [this] {
        if (m_usersModel->post()) {
            m_options.sortByGroupAndUser();
            m_usersModel->reload();
        }
    });
    connect(A_T_SortUser, &QAction::triggered, this, [this] {
        if (m_usersModel->post()) {
            m_options.sortByUser();
            m_usersModel->reload();
        }
    });
}

void TFAdministratorOptions::load(const TWriteRes &adminResults)
{
    CB_UseAdminPassword->setChecked(m_options.passwordInUse());
    DE_DBUsersDir->setText(m_options.usersDir());
    LoadFromWriteRes(*FrWriteResults, adminResults);
    reloadGrids();
    pageChanged();
}

void TFAdministratorOptions::setHelp(HelpRequester *help)
{
    m_help = help;
    m_dialogHelp->setHelp(m_help, helpNumber(pageHelpContext()));
}

HelpContext TFAdministratorOptions::pageHelpContext() const
{
    return PageControl->currentWidget() == TS_WriteResults ? HelpContext::AdminResults
                                                           : HelpContext::AdminUsers;
}

void TFAdministratorOptions::store(TWriteRes &adminResults) const
{
    StoreToWriteRes(*FrWriteResults, adminResults);
}

QTableView *TFAdministratorOptions::currentGrid() const
{
    return RxDBG_Users;
}

RecordNavigator *TFAdministratorOptions::currentNavigator() const
{
    return moDBN_Users;
}

KeyedTableModel *TFAdministratorOptions::currentModel() const
{
    return m_usersModel;
}

void TFAdministratorOptions::reloadGrids()
{
    CB_UseAdminPassword->setChecked(m_options.passwordInUse());
    m_usersModel->reload();
    updateEnabling();
}

void TFAdministratorOptions::updateEnabling()
{
    const bool tables = m_options.tablesEnabled();
    for (QWidget *w : {static_cast<QWidget *>(RxDBG_Users), static_cast<QWidget *>(moDBN_Users),
                       static_cast<QWidget *>(L_UsersCount)})
        w->setEnabled(tables);
    const bool onTablePage = PageControl->currentWidget() != TS_WriteResults;
    for (QAction *a : {A_T_First, A_T_Last, A_T_BkSet, A_T_BkGoto, A_R_Insert, A_R_Append,
                       A_R_Delete, A_E_CopyToClipboard, A_T_SortGroupUser, A_T_SortUser})
        a->setEnabled(tables && onTablePage);
    L_DBUsersDir->setEnabled(m_options.folderEnabled());
    DE_DBUsersDir->setEnabled(m_options.folderEnabled());
    DE_DBUsersDirBrowse->setEnabled(m_options.folderEnabled());
    L_UsersCount->setText(QStringLiteral("%1 usuaris").arg(m_users.RMD_Users.rowCount()));
    moDBN_Users->refresh();
}

void TFAdministratorOptions::pageChanged()
{
    // The users page sorts; the results page has no table menu.
    const bool results = PageControl->currentWidget() == TS_WriteResults;
    MI_Table->menuAction()->setVisible(!results);
    A_T_SortGroupUser->setVisible(PageControl->currentWidget() == TS_Users);
    A_T_SortUser->setVisible(PageControl->currentWidget() == TS_Users);
    m_dialogHelp->setHelp(m_help, helpNumber(pageHelpContext()));
    updateEnabling();
}

std::vector<int> TFAdministratorOptions::selectedRows(QTableView *grid) const
{
    std::vector<int> rows;
    for (const QModelIndex &i : grid->selectionModel()->selectedRows())
        rows.push_back(i.row());
    return rows;
}

bool TFAdministratorOptions::closeWithSave()
{
    return m_options.saveOnClose();
}

void TFAdministratorOptions::accept()
{
    if (!m_options.checkBeforeOk()) {
        reloadGrids();
        return;
    }
    if (closeWithSave())
        QDialog::accept();
    else
        reloadGrids();
}

void TFAdministratorOptions::reject()
{
    if (closeWithSave())
        QDialog::reject();
    else
        reloadGrids();
}
