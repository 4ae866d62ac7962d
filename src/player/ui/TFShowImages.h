#pragma once

#include "files/RealScheduler.h"
#include "files/Shell.h"
#include "files/TPosSize.h"
#include "files/TPosSizeSel.h"
#include "files/ui/TFMainMenuMkLink.h"
#include "media/TAuPlayerMan.h"
#include "player/EditedFileWatch.h"
#include "player/PlayerEngine.h"
#include "player/PlayerView.h"
#include "player/PresenterKeys.h"
#include "player/ScreenSaverInhibitor.h"
#include "player/SlideAudio.h"
#include "player/StartupArgs.h"
#include "player/ui/MainWindowCommandSet.h"
#include "player/ui/MainWindowCommands.h"
#include "player/ui/TFShowErrW.h"

#include <QAbstractSlider>
#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class BlankCover;
class DBusScreenSaverBus;
class MainWindowController;
class MediaTrackPlayer;
class QAction;
class QTimer;
class QToolBar;
class QToolButton;
class QtPrompter;
class SlideArea;
class TextSlideView;
class VideoSlideView;
class WebSlideView;

// The main window of the player: menus, toolbar and the slide area. Its "Arxiu" and "Ajuda"
// menus start as its ancestor's, with the exit, shortcut and help entries. It owns the clock, the
// message boxes and the player engine, turns commands, keys and mouse buttons into engine inputs
// and carries out what the engine asks of the screen. Its commands come from the command table;
// other subsystems' controllers add theirs through MainWindowCommands.
class TFShowImages : public TFMainMenuMkLink, public PlayerView, public MainWindowCommands
{
    Q_OBJECT
public:
    // With real message boxes.
    explicit TFShowImages(QWidget *parent = nullptr);
    // With the given prompter (tests script the answers); it must outlive the window.
    explicit TFShowImages(Prompter &prompter, QWidget *parent = nullptr);
    // With the given prompter and clock (a long run on a fake clock); both must outlive it.
    TFShowImages(Prompter &prompter, Scheduler &clock, QWidget *parent = nullptr);
    ~TFShowImages() override;

    // Called once after the window is shown: the access level and the file argument of the
    // command line. `autoStart` runs the list given on the command line from its first slide.
    void startUp(const StartupArgs &args, bool autoStart);

    PlayerEngine &engine() { return m_engine; }
    PresentationSession &session() { return m_session; }
    Prompter &prompter() { return m_prompter; }
    // A controller called at start-up, at exit and for the recent-file list, in the order
    // added. One destroyed before the window is no longer called.
    void addController(MainWindowController &controller);
    SlideArea *slideArea() const { return m_slideArea; }
    // The view of text and rich-text slides ("RichEdit"), shown on the slide area while one is up.
    TextSlideView *textView() const { return m_textView; }
    // The application was activated again: a slide file handed to its program by A_V_Edit and
    // changed there is shown again.
    void checkEditedFile();
    const EditedFileWatch &editedFile() const { return m_editWatch; }
    // The AVI and movie slides.
    VideoSlideView &videoView() { return *m_videoView; }
    // The web page of a web slide and the web commands.
    WebSlideView *webView() const { return m_web.get(); }
    QToolBar *toolBar() const { return m_toolBar; }
    // The action of an engine command; nullptr for commands this window does not have yet.
    QAction *action(PlayerAction which) const;

    // --- MainWindowCommands ---
    QAction *addAction(QStringView name, QObject *owner) override
    {
        return m_commands.addAction(name, owner);
    }
    QAction *addAction(const ActionRow &row, QObject *owner) override
    {
        return m_commands.addAction(row, owner);
    }
    QAction *action(QStringView name) const override { return m_commands.action(name); }
    QMenu *menu(QStringView name) const override { return m_commands.menu(name); }
    void setCommandHandler(PendingCommandCode code, QObject *context,
                           std::function<void()> handler) override
    {
        m_commands.setCommandHandler(code, context, std::move(handler));
    }
    void setCommandAvailable(QStringView name, bool available) override;
    QWidget *dialogParent() override { return this; }
    // QWidget's own addAction overloads stay usable beside the table's.
    using QWidget::addAction;
    QAction *openAction() const { return m_openAction; }
    QAction *hideNoteAction() const { return m_hideNoteAction; }
    QString slideAudioPath() const { return m_audioPath; }
    // The audio plug-ins found beside the program, and the slide's track.
    TAuPlayerMan &audioPlayers() { return m_audioPlayers; }
    SlideAudio &slideAudio() { return m_audio; }
    // Replaces the system media player (tests use a fake); it must outlive the window.
    void setMediaTrackPlayer(MediaTrackPlayer &player) { m_audio.setMediaPlayer(player); }

    // --- PlayerView ---
    bool showSlide(const SlideRecord &slide, int slideIndex) override;
    void hideSlidePanels() override;
    void setCaption(const QString &caption) override;
    int drawSizePercent() const override;
    void setActionEnabled(PlayerAction action, bool enabled) override;
    void setActionVisible(PlayerAction action, bool visible) override;
    void setInitNextText(const QString &caption, const QString &hint) override;
    void setRunDecoration(bool hideMenusAndToolbar, bool borderless, bool keepMenuHidden) override;
    void playSlideAudio(const QString &path, bool repeat) override;
    void stopSlideAudio() override;
    void stopMedia() override;
    void launch(const SlideRecord &slide) override;
    QString askOpenSlideListPath(const QString &current) override;
    QString askSaveSlideListPath(const QString &current) override;
    void closeWindow() override;
    void carryOutCommand(PendingCommandCode code) override;
    // Runs the check of the list in force (and first of its image-sound table) and shows the
    // errors window, or the summary when nothing is wrong.
    void checkPresentation() override;
    QString askOpenConfigPath(const QString &current) override;
    void settingsChanged() override;
    void showBusy(bool busy) override;
    void addRecentFile(const QString &path) override;
    void showQuestion(const QuestionModel &question, const SlideRecord &slide) override;
    void freeQuestion() override;
    void runStateChanged(bool presenting) override;

    // The single-key shortcuts of the window, switched off while a typed-answer box takes the
    // keys and given back after.
    struct TActionShortCut
    {
        QAction *action = nullptr;
        QKeySequence shortcut;
    };
    const std::vector<TActionShortCut> &singleKeyShortcuts() const { return m_singleKeyShortcuts; }
    bool singleKeyShortcutsOff() const { return m_shortcutsOff; }

    // Also enables the window's own help entries ("Petit tutorial", "Preguntes i respostes",
    // "Índex") and gives the help to the windows it opens.
    void setHelpRequester(HelpRequester *help) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    TFShowImages(std::unique_ptr<QtPrompter> own, Prompter *external, Scheduler *clock,
                 QWidget *parent);
    // Connects the table's commands built by the window to what they do.
    void connectCommands();
    std::vector<MainWindowController *> controllers() const;
    void openSlideListCommand();
    void editSlideListExternally();
    void showAbout();
    // The image commands of "V. específica" and "Visualització".
    void showSlideNameCommand();
    void showNameAndNoteCommand();
    // Text and rich-text slides: false when the file cannot be read (the run ends). The view
    // takes the focus when the slide area had it.
    bool showTextSlide(const SlideRecord &slide, bool takeFocus);
    void applyTextSlideSettings();
    // A_V_Edit: the slide's file opens in the desktop's program for it.
    void editSlideFileCommand();
    // Starts decoding the picture of the slide after `position` in the order.
    void prefetchAfter(int position);
    bool runInProgress() const;
    void collectSingleKeyShortcuts();
    void setSingleKeyShortcuts(bool on);

    std::unique_ptr<QtPrompter> m_ownPrompter;
    Prompter &m_prompter;
    MainWindowCommandSet m_commands;
    RealScheduler m_ownScheduler;
    Scheduler &m_scheduler; // every timer of the run: the window's own clock or a given one
    PresentationSession m_session;
    PlayerEngine m_engine;
    TAuPlayerMan m_audioPlayers;
    std::unique_ptr<MediaTrackPlayer> m_mediaPlayer;
    SlideAudio m_audio;
    QTimer *m_idleTimer = nullptr;

    SlideArea *m_slideArea = nullptr;
    TextSlideView *m_textView = nullptr;
    EditedFileWatch m_editWatch;
    std::unique_ptr<VideoSlideView> m_videoView; // goes before the slide area it draws on
    std::unique_ptr<WebSlideView> m_web;
    QToolBar *m_toolBar = nullptr;
    QAction *m_openAction = nullptr;
    QAction *m_hideNoteAction = nullptr;
    std::vector<TActionShortCut> m_singleKeyShortcuts;
    bool m_shortcutsOff = false;

    std::vector<QPointer<MainWindowController>> m_controllers;
    bool m_savedAtExit = false;
    bool m_closeGranted = false; // the engine has answered the close query: close for good
    QString m_audioPath;         // the slide's track, while it is the one in use

    // --- Results, the end menu and the answers' reaction windows ---------------------------
public:
    void showReactionPicture(const QString &file, int markX, int markY,
                             const QString &audio) override;
    void showReactionText(const QString &file, const QString &audio) override;
    // The reaction window on screen, or nullptr.
    TFShowErrW *reactionWindow() const { return m_reaction.window; }
    // The box a reaction window fits in: a percentage of the screen or of this window.
    QSize reactionLimit() const;
    QAction *resultsAction() const { return m_resultsAction; }
    QAction *calcTimeAction() const { return m_calcTimeAction; }
    QAction *randomListAction() const { return m_randomListAction; }
    QAction *hideMainMenuAction() const { return m_hideMainMenuAction; }
    // TB_V_End carries the end-menu command used last; the arrow SB_End opens PUM_End.
    QToolButton *endButton() const { return m_endButton; }
    QToolButton *endArrow() const { return m_endArrow; }
    // Documents, programs and the text editor are opened through the shell: the desktop's own
    // unless another is given (tests record the requests); it must outlive the window.
    void setShell(Shell &shell) { m_shell = &shell; }

private:
    // A_V_RandomList: the order's listing in a window of its own.
    void showOrderListing();
    void showResults();
    void openReaction(TFShowErrW *window, const QString &error);
    // Shows "No es pot obrir l'arxiu ..." with the shell's reason when opening `path` failed.
    void reportOpenFailure(const QString &path, const Fallible<void> &opened);

    QAction *m_resultsAction = nullptr;
    QAction *m_calcTimeAction = nullptr;
    QAction *m_randomListAction = nullptr;
    QAction *m_hideMainMenuAction = nullptr;
    QToolButton *m_endButton = nullptr;
    QToolButton *m_endArrow = nullptr;
    std::unique_ptr<Shell> m_ownShell;
    Shell *m_shell = nullptr;

    // --- Toggles, hints that follow settings, drop-down buttons and access levels ----------
public:
    // Hides what the access level does not allow (and the administrator's options without
    // several users), then refreshes what depends on the level. Called whenever the level or
    // SeveralUsers changes.
    void applyAccessLevel();
    // Check marks, toggle hints, the hints that follow settings and options, the toggles'
    // enabling rules and the menu bar, from the state in force.
    void refreshCommands();
    bool commandAvailable(QStringView name) const;
    // A drop-down toolbar button (TB_...) and its arrow, by the button's name.
    QToolButton *dropDownButton(QStringView button) const
    {
        return m_commands.dropDownButton(button);
    }
    QToolButton *dropDownArrow(QStringView button) const
    {
        return m_commands.dropDownArrow(button);
    }

private:
    // A toggle of the command table chosen: its state flips, with its couplings.
    void toggleCommand(QStringView name);
    // The state a toggle's check mark shows, and the one its hint's first alternative names.
    bool toggleChecked(QStringView name) const;
    bool toggleHintState(QStringView name) const;
    // Enables `action` as its rules say, unless its window is not part of the program yet.
    void setCommandEnabled(QAction *action, bool enabled);
    // Each drop-down button's first command, from the options (after they are read).
    void applyInitialDropDowns();
    // The button carries `action`, and the options keep its index.
    void setDropDownAction(QToolButton *button, QAction *action);
    int &dropDownIndexOption(QStringView button);

    std::vector<QString> m_awaitingWindow; // commands whose window is not there yet

    // --- Go-to and the order listing ------------------------------------------------------
public:
    // A_V_Goto: the go-to window. Carried out after the run it ended (which then resumes, at
    // the chosen slide or where it stopped) or at once at rest (a run starts at the chosen
    // slide after OK).
    void gotoSlide();
    // The remembered layout of the go-to window and of the order listing.
    TPosSizeSel &gotoMemory() { return m_gotoMemory; }
    TPosSize &listingMemory() { return m_listingMemory; }

private:
    // A slide number typed during a run: the run goes there by the go-to rules; a number that
    // names no slide that can be gone to leaves the run where it is.
    void jumpToSlide(int number);

    TPosSizeSel m_gotoMemory{QSize(360, 0)};
    // The line a typed number asked for (0-based), while the go-to command it issued waits.
    int m_typedJump = -1;

    // --- Presenters' keys and the screensaver -------------------------------------------
public:
    // The black or white cover a presenter puts over the screen.
    BlankCover *blankCover() const { return m_cover; }
    // Replaces the desktop's screensaver service (tests record the calls); it must outlive the
    // window.
    void setScreenSaverBus(ScreenSaverBus &bus) { m_screenSaver.setBus(bus); }
    const ScreenSaverInhibitor &screenSaver() const { return m_screenSaver; }

private:
    // True when the key was a presenter's key and has been served.
    bool presenterKey(QKeyEvent *event);
    // Pages the text slide on screen one step; false when it shows no text or is at that end.
    bool scrollTextSlide(QAbstractSlider::SliderAction step);

    PresenterKeys m_presenterKeys;
    BlankCover *m_cover = nullptr;
    std::unique_ptr<DBusScreenSaverBus> m_ownScreenSaverBus;
    ScreenSaverInhibitor m_screenSaver;

    TPosSize m_listingMemory{QSize(242, 120)};

    // Declared last so the window goes before the slide audio it stops.
    struct ReactionHolder
    {
        QPointer<TFShowErrW> window;
        ~ReactionHolder() { delete window.data(); }
    } m_reaction;
};
