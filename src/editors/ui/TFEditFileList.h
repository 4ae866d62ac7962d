#pragma once

#include "editors/CopyMoveChoices.h"
#include "editors/FileListMasks.h"
#include "editors/FileListRows.h"
#include "presentation/SlideRecord.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class HelpRequester;
class Miniature;
class PlayerView;
class PresentationSession;
class Prompter;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QSplitter;
class QStackedWidget;
class QTableView;
class QToolBar;
class QToolButton;
class QVBoxLayout;
class RecordNavigator;
class Shell;
class TLsDirTreePanel;
class TLsFilelistView27;

// What the main window lends the editors: the presentation in force (its settings give the
// miniatures and previews their look, its options the editors' own), the message boxes, the
// shell, the help and the slide audio player.
struct EditorServices
{
    EditorServices(PresentationSession &s, Prompter &p, Shell &sh)
        : session(s), prompter(p), shell(sh)
    {}

    PresentationSession &session;
    Prompter &prompter;
    Shell &shell;
    HelpRequester *help = nullptr;
    std::function<void(const QString &path)> playAudio;
    std::function<void()> stopAudio;
    // The main window: it plays a preview's track and asks where a list is saved.
    PlayerView *playerView = nullptr;
    // Checks that the presentation is saved (asking to save it); false when it is not.
    std::function<bool()> presentationSaved;
    // Opens the inner formal options dialog on the settings in force.
    std::function<void()> inFormalOptions;
    // The main window's save dialog for a meaning table of the kind given, starting at
    // `current`; "" when cancelled.
    std::function<QString(bool words, const QString &current)> askSaveTablePath;
    // The choices the editors' dialogs remember while the program runs.
    QString lastChangeDir;
    CopyMoveChoices copyChoices, moveChoices;
};

// The window states the main window gives the editor and takes back when it closes, with the
// layout it remembers between openings.
struct EditorWindowState
{
    bool audioMode = false;
    bool largeMiniature = false;
    bool noAudioPlay = false;
    bool mainMenuHidden = false;
    QByteArray geometry, splitter, rowSplitter;
    QByteArray gridColumns; // the grid's columns: order and widths
    QString filesFolder, audioFolder;
    QString lastOthersCommand; // the command on the "Altres" button
    QString lastAddCommand;    // the command on the slide list editor's add button
};

// The base window of the editors whose rows name files: the explorer on the left (folder
// selector and file list, or the audio tracks in audio mode), on the right the grid of rows with
// its navigator, the two miniatures and the commands on rows. The rows and the rules are the
// core's (FileListRows); this window maps them onto widgets and asks the user.
class TFEditFileList : public QDialog
{
    Q_OBJECT

public:
    // The window owns the rows.
    TFEditFileList(FileListRows *rows, EditorServices &services, QWidget *parent = nullptr);
    ~TFEditFileList() override;

    FileListRows &rows() { return m_rows; }
    QTableView *grid() const { return m_grid; }
    TLsFilelistView27 *fileList() const { return m_fileList; }
    TLsFilelistView27 *audioList() const { return m_audioList; }
    TLsDirTreePanel *fileTree() const { return m_fileTree; }
    TLsDirTreePanel *audioTree() const { return m_audioTree; }
    Miniature *leftMiniature() const { return m_leftMini; }
    Miniature *rightMiniature() const { return m_rightMini; }
    QAction *command(const QString &name) const;
    QMenu *menuNamed(const QString &name) const;

    // The window opens maximised; before that (and on a small screen) this is room enough for
    // both panels and every toolbar.
    QSize sizeHint() const override { return QSize(1100, 760); }

    virtual void applyState(const EditorWindowState &state);
    virtual EditorWindowState state() const;

    bool audioMode() const { return m_audioMode; }
    bool mainMenuHidden() const { return m_mainMenuHidden; }
    bool largeMiniature() const { return m_largeMiniature; }
    bool noAudioPlay() const { return m_noAudioPlay; }

    // The selected rows of the grid, in row order.
    std::vector<int> selectedRows() const;
    // Shows `folder` in the left panel in use.
    void showFolder(const QString &folder);
    // The left panel's list in use (the audio list in audio mode).
    TLsFilelistView27 *leftList() const;

    // Re-reads the left list when the program becomes active again, unless one of the editor's
    // own windows was open or F1 was pressed (the main window calls it).
    void programActivated();
    // The next activation does not re-read (a dialog or window of the editor opens).
    void skipNextReread() { m_skipNextReread = true; }

    // Tests replace the questions the window asks the user: a folder, a file to open.
    std::function<QString(const QString &title, const QString &start)> chooseFile;

protected:
    // The hooks the window itself carries out; the rows' hooks are the core's.
    virtual void AddSelectedFiles(bool insert) = 0;
    virtual void ShowOptions() {}
    virtual void PreviewSlide(bool fromLeftPanel, int kind, const QString &fileName) = 0;
    virtual void SetAudioMode(bool on);
    virtual void SetMainMenuHidden(bool on);
    virtual void PasteFileName(const QString &name) { (void)name; }
    // Shows the current row in the right miniature.
    virtual void ShowRowMiniature();
    // The controls of the derived editor follow the current row.
    virtual void refreshRowControls() {}
    // The window's help context (F1), and that of its check's "Errors trobats".
    virtual int helpContext() const { return 0; }
    virtual int checkHelpContext() const;

    // Adds a command: an action named `name` with its caption and hint, in `menu` and on
    // `bar` when given. Every command but the stop commands first stops the audio playing.
    QAction *addCommand(const char *name, const QString &caption, const QString &hint, QMenu *menu,
                        QToolBar *bar, const std::function<void()> &run, bool stopsAudio = true);
    void setToggleHint(QAction *action, const QString &alternatives, bool on);
    void addOthersCommand(QAction *action);

    // The options changed: the masks and the grid's columns follow them.
    void optionsChanged();

    QVBoxLayout *editArea() const { return m_editArea; }
    QToolBar *gridBar() const { return m_gridBar; }
    QMenuBar *menuBar() const { return m_menuBar; }
    QMenu *manipulationMenu() const { return m_manipulation; }
    QMenu *othersMenu() const { return m_others; }
    QMenu *finalMenu() const { return m_final; }
    QMenu *audioMenu() const { return m_audio; }
    EditorServices &services() { return m_services; }
    Prompter &prompter();

    // Runs `work` with the current position kept and the controls not refreshed row by row.
    void batch(const std::function<void()> &work);
    void closeWithOk();
    // Asks the close rule; the derived OK closes without asking.
    void reject() override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

    bool m_okClosed = false;

private:
    void buildWindow();
    void buildCommands();
    void connectLists();
    void updateScrollCommands();
    void leftSelectionChanged();
    void showFileInMiniature(Miniature *mini, const QString &path, TSlideKind kind, bool viewable,
                             bool question, bool withMark, int markX, int markY);
    void changeRowFile();
    void playLeft();
    void playRow();
    void searchRowDir();
    void openRowFile();
    void checkList();
    void goRoot();
    void applyMasks();
    ListContents listContents() const;
    void chooseFavoriteDir();
    void chooseFilter();
    void placeMark();
    void changeDirectory();
    void copyOrMoveFiles(TFileAction action);
    void copyPresentationFiles(const QString &destination);
    // Copies or moves `files` to `destination` with the progress window; `written` hears of
    // every file done. True when the whole transfer completed.
    bool transfer(TFileAction action, const QStringList &files, bool oneDirectory,
                  const QString &destination,
                  const std::function<void(const QString &, const QString &)> &written);
    void applyLargeMiniature();
    void applyNoAudioPlay();
    void applyColumnHiding();
    void rightMiniatureClicked();
    void leftMiniatureClicked();
    void updateCounter();

    FileListRows &m_rows;
    EditorServices &m_services;
    QMenuBar *m_menuBar = nullptr;
    QMenu *m_leftPanel = nullptr, *m_manipulation = nullptr, *m_others = nullptr,
          *m_audio = nullptr, *m_final = nullptr;
    QToolBar *m_leftBar = nullptr, *m_gridBar = nullptr;
    QToolButton *m_othersButton = nullptr;
    Miniature *m_leftMini = nullptr, *m_rightMini = nullptr;
    QStackedWidget *m_leftStack = nullptr;
    TLsDirTreePanel *m_fileTree = nullptr, *m_audioTree = nullptr;
    TLsFilelistView27 *m_fileList = nullptr, *m_audioList = nullptr;
    QSplitter *m_splitter = nullptr, *m_rightSplitter = nullptr;
    RecordNavigator *m_navigator = nullptr;
    QLabel *m_counter = nullptr;
    QTableView *m_grid = nullptr;
    QVBoxLayout *m_editArea = nullptr;
    QHash<QString, QAction *> m_commands;
    bool m_audioMode = false;
    bool m_mainMenuHidden = false;
    bool m_largeMiniature = false;
    bool m_noAudioPlay = false;
    bool m_skipNextReread = false;
    QString m_leftPath;
    TSlideKind m_leftKind = skImage;
    bool m_leftKindKnown = false;
};
