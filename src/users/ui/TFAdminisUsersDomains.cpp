#include "users/ui/TFAdminisUsersDomains.h"

#include "files/ui/RecordNavigator.h"
#include "users/AdminOptions.h"
#include "users/KeyedTableModel.h"
#include "users/TDMAdminUsersDomains.h"
#include "users/ui/UserDialogButtons.h"

#include <QAction>
#include <QButtonGroup>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPalette>
#include <QRadioButton>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// Valid domain folders in the window text colour, missing ones in grey; selected, a valid row
// is white on the highlight, a missing one red on aqua.
class DomainRowDelegate : public QStyledItemDelegate
{
public:
    DomainRowDelegate(const KeyedTableModel &model, QObject *parent)
        : QStyledItemDelegate(parent), m_model(model)
    {}

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (m_model.rowValid(index.row())) {
            option->palette.setColor(QPalette::HighlightedText, Qt::white);
            return;
        }
        option->palette.setColor(QPalette::Text, QColor(0x80, 0x80, 0x80));
        option->palette.setColor(QPalette::Highlight, QColor(0x00, 0xFF, 0xFF));
        option->palette.setColor(QPalette::HighlightedText, QColor(0xFF, 0x00, 0x00));
    }

private:
    const KeyedTableModel &m_model;
};

} // namespace

TFAdminisUsersDomains::TFAdminisUsersDomains(AdminOptions &options, TDMAdminUsersDomains &users,
                                             Prompter &prompter, QWidget *parent)
    : TFAdministratorOptions(options, users, prompter, parent)
{
    setObjectName(QStringLiteral("TFAdminisUsersDomains"));
    RG_Privileges = new QGroupBox(QStringLiteral("Privilegis"), TS_Users);
    RG_Privileges->setObjectName(QStringLiteral("RG_Privileges"));
    auto *privilegeRow = new QHBoxLayout(RG_Privileges);
    privilegeButtons = new QButtonGroup(RG_Privileges);
    const QStringList captions{QStringLiteral("Tots"), QStringLiteral("V.isió"),
                               QStringLiteral("amb E.dició")};
    for (int i = 0; i < captions.size(); ++i) {
        auto *b = new QRadioButton(captions[i], RG_Privileges);
        privilegeButtons->addButton(b, i);
        privilegeRow->addWidget(b);
    }
    privilegeButtons->button(0)->setChecked(true);
    presetLayout()->addWidget(RG_Privileges);
    connect(privilegeButtons, &QButtonGroup::idClicked, this,
            [this](int id) { m_users.privilegePreset = PrivilegePreset(id); });

    TS_Domains = new QWidget(PageControl);
    auto *domainsLayout = new QVBoxLayout(TS_Domains);
    auto *bar = new QHBoxLayout;
    domainsLayout->addLayout(bar);
    auto *split = new QSplitter(TS_Domains);
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_folders->setRootPath(QDir::rootPath());
    LsDirTree = new QTreeView(split);
    LsDirTree->setObjectName(QStringLiteral("LsDirTree"));
    LsDirTree->setModel(m_folders);
    for (int c = 1; c < m_folders->columnCount(); ++c)
        LsDirTree->hideColumn(c);
    LsDirTree->setHeaderHidden(true);
    auto *right = new QWidget(split);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    RxDBG_Domains = new QTableView(right);
    RxDBG_Domains->setObjectName(QStringLiteral("RxDBG_Domains"));
    m_domainsModel = new KeyedTableModel(
        users.RMD_Domains, {QStringLiteral("Domini"), QStringLiteral("Directori")}, prompter, this);
    RxDBG_Domains->setModel(m_domainsModel);
    RxDBG_Domains->setItemDelegate(new DomainRowDelegate(*m_domainsModel, RxDBG_Domains));
    RxDBG_Domains->setSelectionBehavior(QAbstractItemView::SelectRows);
    RxDBG_Domains->setSelectionMode(QAbstractItemView::ExtendedSelection);
    RxDBG_Domains->horizontalHeader()->setStretchLastSection(true);
    rightLayout->addWidget(RxDBG_Domains, 1);
    moDBN_Domains = new RecordNavigator(right);
    moDBN_Domains->setObjectName(QStringLiteral("moDBN_Domains"));
    moDBN_Domains->attach(RxDBG_Domains);
    moDBN_Domains->setEditing(true);
    rightLayout->addWidget(moDBN_Domains, 0, Qt::AlignLeft);
    split->setStretchFactor(1, 1);
    domainsLayout->addWidget(split, 1);
    PageControl->addTab(TS_Domains, QStringLiteral("Dominis"));

    A_D_SetDir = new QAction(QStringLiteral("Assigna el directori actual"), this);
    A_D_SetDir->setObjectName(QStringLiteral("A_D_SetDir"));
    A_D_SetDir->setToolTip(
        QStringLiteral("Assigna el directori seleccionat de l'arbre com a directori del domini"));
    A_D_SearchDir = new QAction(QStringLiteral("Busca el directori del domini"), this);
    A_D_SearchDir->setObjectName(QStringLiteral("A_D_SearchDir"));
    A_D_SearchDir->setToolTip(
        QStringLiteral("Busca a l'arbre de directoris el corresponent al directori del domini"));
    addToolButton(bar, A_D_SetDir, this);
    addToolButton(bar, A_D_SearchDir, this);
    bar->addStretch(1);
    MI_Table->addSeparator();
    MI_Table->addActions({A_D_SetDir, A_D_SearchDir});
    connect(A_D_SetDir, &QAction::triggered, this, [this] {
        if (!m_domainsModel->post())
            return;
        const int row = moDBN_Domains->currentRow();
        if (row >= 0 && m_options.setDomainDir(row, treeFolder()).ok())
            m_domainsModel->reload();
    });
    connect(A_D_SearchDir, &QAction::triggered, this, [this] {
        if (!m_domainsModel->post())
            return;
        if (const auto dir = m_options.searchDomainDir(selectedRows(RxDBG_Domains))) {
            const QModelIndex i = m_folders->index(*dir);
            LsDirTree->setCurrentIndex(i);
            LsDirTree->scrollTo(i);
        }
    });
    connect(m_domainsModel, &QAbstractItemModel::modelReset, this, [this] { updateEnabling(); });
}

HelpContext TFAdminisUsersDomains::pageHelpContext() const
{
    return PageControl->currentWidget() == TS_Domains ? HelpContext::AdminDomains
                                                      : TFAdministratorOptions::pageHelpContext();
}

QString TFAdminisUsersDomains::treeFolder() const
{
    return m_folders->filePath(LsDirTree->currentIndex());
}

QTableView *TFAdminisUsersDomains::currentGrid() const
{
    return PageControl->currentWidget() == TS_Domains ? RxDBG_Domains
                                                      : TFAdministratorOptions::currentGrid();
}

RecordNavigator *TFAdminisUsersDomains::currentNavigator() const
{
    return PageControl->currentWidget() == TS_Domains ? moDBN_Domains
                                                      : TFAdministratorOptions::currentNavigator();
}

KeyedTableModel *TFAdminisUsersDomains::currentModel() const
{
    return PageControl->currentWidget() == TS_Domains ? m_domainsModel
                                                      : TFAdministratorOptions::currentModel();
}

void TFAdminisUsersDomains::updateEnabling()
{
    TFAdministratorOptions::updateEnabling();
    if (!m_domainsModel)
        return; // still being built
    const bool tables = m_options.tablesEnabled();
    RxDBG_Domains->setEnabled(tables);
    moDBN_Domains->setEnabled(tables);
    A_D_SetDir->setEnabled(tables);
    A_D_SearchDir->setEnabled(tables);
    moDBN_Domains->refresh();
}

void TFAdminisUsersDomains::pageChanged()
{
    TFAdministratorOptions::pageChanged();
    if (!A_D_SetDir)
        return;
    const bool domains = PageControl->currentWidget() == TS_Domains;
    A_D_SetDir->setVisible(domains);
    A_D_SearchDir->setVisible(domains);
}
