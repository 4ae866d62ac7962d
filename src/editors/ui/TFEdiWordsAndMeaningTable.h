#pragma once

#include "editors/WordTableRows.h"
#include "editors/ui/TFEditFileList.h"

#include <QDialog>
#include <QHash>
#include <QString>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QTableView;
class QToolBar;
class RecordNavigator;
class TFMakeSalFromSWml0;
class TPosSize;
class WordTableModel;
struct MeaningTable;

// The words-and-meanings table editor: a grid of words and their meanings that the user types
// into, posted row by row as a database grid posts them, with the table's commands around it.
// It works on a copy of the main window's words table, writes the copy back into it on saving,
// and generates quizzes from the saved table. The rules are the core's (WordTableRows); this
// window maps them onto widgets.
class TFEdiWordsAndMeaningTable : public QDialog
{
    Q_OBJECT

public:
    // `swapped` is the main window's question/answer orientation, kept while the program runs:
    // the editor shows it and flips it. The window opens on a new, empty table.
    TFEdiWordsAndMeaningTable(EditorServices &services, MeaningTable &mainTable, bool &swapped,
                              QWidget *parent = nullptr);
    ~TFEdiWordsAndMeaningTable() override;

    // The main window's table, its rows copied as loaded (no change counted), positioned on the
    // last row; or a new table with no rows and no name.
    void openCurrentTable();
    void openNewTable();

    QTableView *grid() const { return m_grid; }
    RecordNavigator *navigator() const { return m_navigator; }
    QLabel *recordCounter() const { return m_counter; }
    QAction *command(const QString &name) const { return m_commands.value(name); }
    WordTableRows &rows() { return m_rows; }
    WordTableModel &model() { return *m_model; }
    // The table's file name in the editor ("" for a table never saved).
    const QString &fileName() const { return m_fileName; }
    // The quiz generated from the table, "" when none was.
    const QString &generatedPath() const { return m_rows.generatedPath; }

    // The window's place, which the main window remembers between openings.
    void applyPosSize(const TPosSize &memory);
    void storePosSize(TPosSize &memory) const;

    // "Desa", "Desa com...": true when the table was written.
    bool save();
    bool saveAs();
    // The generation commands, "Desa com..." first for an edit not posted yet.
    void generate(bool radioButtons);

    QSize sizeHint() const override { return QSize(720, 480); }

    // Tests replace the questions the window asks: the file to save the table as (the proposed
    // name given; "" when cancelled), and the run of a generation dialog (exec() returns).
    std::function<QString(const QString &proposed)> chooseSavePath;
    std::function<int(TFMakeSalFromSWml0 &dialog)> runGeneration;

    // The close rule on Esc and "Tanca".
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildWindow();
    void buildCommands();
    QAction *addCommand(const char *name, const QString &caption, const QString &hint, QMenu *menu,
                        QToolBar *bar, const QIcon &icon, const std::function<void()> &run);
    // A cell being typed into hands its text to the row in edit.
    void commitCell();
    // After a command that changed the rows behind the grid: the grid shows them again on the
    // same row, and an empty table offers a new row to type into.
    void refreshGrid(int row = -1);
    void offerRowWhenEmpty();
    void currentRowChanged(const QModelIndex &current, const QModelIndex &previous);
    void appendRow();
    void insertRow();
    void deleteSelectedRows();
    void copyToClipboard();
    void pasteFromClipboard();
    void setUpperFirst(bool on);
    void swapColumns();
    void startNotepad();
    void updateCommands();
    void setCaption();

    EditorServices &m_services;
    MeaningTable &m_mainTable;
    bool &m_swapped;
    WordTableRows m_rows;
    WordTableModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    RecordNavigator *m_navigator = nullptr;
    QLabel *m_counter = nullptr;
    QToolBar *m_toolBar = nullptr;
    QMenu *m_fileMenu = nullptr, *m_editMenu = nullptr, *m_rowMenu = nullptr,
          *m_tableMenu = nullptr;
    QHash<QString, QAction *> m_commands;
    QString m_fileName;
    QRect m_place;            // the remembered place, given again on the first showing
    bool m_following = false; // a post or its undoing moves the grid's current row itself
};
