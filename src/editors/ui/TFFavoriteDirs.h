#pragma once

#include "files/MemTable.h"
#include "files/ui/TFPresEditRxDBGrid.h"

#include <QStringList>

#include <memory>

class MemTableModel;
class Prompter;

// "Directoris preferits": the table of favourite directories. Inserting adds the directory
// chosen in the editor's tree (once: the same text twice is refused), "Ordena" sorts the table,
// and "Selecciona aquest" or a double click chooses the current directory when it exists. The
// window cannot be made smaller than it opens; Esc closes it without a choice.
class TFFavoriteDirs : public TFPresEditRxDBGrid
{
    Q_OBJECT

public:
    // `treeDirectory` is the directory selected in the tree of the editor's panel in use; empty
    // or "Dispositiu" when none is, and then inserting does nothing.
    TFFavoriteDirs(const QStringList &favDirs, const QString &treeDirectory, Prompter &prompter,
                   QWidget *parent = nullptr);
    ~TFFavoriteDirs() override;

    using TFPresentRxDBGrid::setHelp;
    void setHelp(HelpRequester *help);

    // Shows the window modally and returns when it closes: whether a directory was chosen.
    bool exec();

    bool accepted() const { return m_accepted; }
    // The directory chosen; empty unless accepted.
    QString chosenDirectory() const { return m_chosen; }
    // The table as edited, chosen or not: the owner keeps it (FavDirs.dfa). Empty rows are
    // left out.
    QStringList favDirs() const;

    // The commands, as their actions and buttons run them.
    void insertDirectory();
    void sortDirectories();
    void selectCurrent();

Q_SIGNALS:
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Ends an edit in progress in the grid, keeping (`commit`) or dropping what was typed.
    void endPendingEdit(bool commit);
    void reloadTable(const QStringList &dirs, const QString &current);

    Prompter &m_prompter;
    QString m_treeDirectory;
    MemTable m_table;
    std::unique_ptr<MemTableModel> m_model;
    QString m_chosen;
    bool m_accepted = false;
    bool m_sized = false;
};
