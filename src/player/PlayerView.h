#pragma once

#include "presentation/SlideRecord.h"

#include <QString>

#include <cstdint>

struct QuestionModel;

// Codes of the commands given while a run is in progress. The first group (next, previous,
// first) is handled by the stepping; the second ends the run and is carried out afterwards.
enum class PendingCommandCode : std::uint8_t {
    None = 0,
    Close = 1,
    Next = 2,
    Prior = 3,
    First = 4,
    Goto = 5,
    EditSAL = 6,
    EditNewSAL = 7,
    OpenSAL = 8,
    ReopenSAL = 9,
    EditSML = 10,
    EditNewSML = 11,
    OpenSML = 12,
    EditWML = 13,
    EditNewWML = 14,
    OpenWML = 15,
    OpenIni = 16,
    ModalOptions = 17,
    // Kept apart from the codes before it: the inner formal options were added on their own.
    InFormalOptions = 24
};

inline bool isSecondGroup(PendingCommandCode c)
{
    return c == PendingCommandCode::Close || std::uint8_t(c) >= 5;
}

// The commands that edit a list or a table, or change the presentation's settings: a view-only
// user has none of them.
inline bool isEditingCommand(PendingCommandCode c)
{
    switch (c) {
    case PendingCommandCode::EditSAL:
    case PendingCommandCode::EditNewSAL:
    case PendingCommandCode::EditSML:
    case PendingCommandCode::EditNewSML:
    case PendingCommandCode::OpenSML:
    case PendingCommandCode::EditWML:
    case PendingCommandCode::EditNewWML:
    case PendingCommandCode::OpenWML:
    case PendingCommandCode::OpenIni:
    case PendingCommandCode::ModalOptions:
    case PendingCommandCode::InFormalOptions: return true;
    default: return false;
    }
}

// The main window's commands the engine enables, disables, shows or hides.
enum class PlayerAction {
    A_V_InitNext,
    A_V_Prior,
    A_V_First,
    A_V_Stop,
    A_V_Goto,
    A_V_Manual,
    A_V_CalcTime,
    A_V_Edit,
    A_V_ShowSlideName,
    A_I_ShowNameAndNote,
    A_V_RandomList,
    A_V_Play,
    A_F_Check,
    A_F_EditSAL,
    A_F_EditWML,
    A_F_EditSML,
    WebCommands // the seven web commands, shown only while a list with a web slide runs
};

// What the presentation session asks of the screen: the commands that follow the list in force,
// the caption, the file dialogs of saving and opening, and the recent-file list.
class SessionView
{
public:
    virtual ~SessionView() = default;

    virtual void setActionEnabled(PlayerAction action, bool enabled) = 0;
    virtual void setCaption(const QString &caption) = 0;
    // File dialogs; an empty result means cancelled.
    virtual QString askSaveSlideListPath(const QString &current) = 0;
    virtual QString askOpenConfigPath(const QString &current)
    {
        (void)current;
        return QString();
    }
    // The settings in force were replaced (a configuration file was read): menus and panels
    // follow them.
    virtual void settingsChanged() {}
    // A configuration file is being read: the busy cursor while `busy`.
    virtual void showBusy(bool busy) { (void)busy; }
    // The recent-file list.
    virtual void addRecentFile(const QString &path) { (void)path; }
};

// What the engine asks of the screen. The main window implements it; tests use a recording fake.
class PlayerView : public SessionView
{
public:
    // Shows a slide that stays on screen (picture, title, text, web, video). False when the slide
    // could not be shown in a way that ends the run (a text file that cannot be read); the view
    // has told the user why.
    virtual bool showSlide(const SlideRecord &slide, int slideIndex) = 0;
    // Hides the image, text, note and title panels (the end of a run).
    virtual void hideSlidePanels() = 0;
    // The drawn size of the current picture in percent, or -1 when there is none.
    virtual int drawSizePercent() const { return -1; }

    virtual void setActionVisible(PlayerAction action, bool visible) = 0;
    virtual void setInitNextText(const QString &caption, const QString &hint) = 0;
    // During a run: hide the menus and the toolbar, and drop the title bar. The menus stay hidden
    // after the run when `keepMenuHidden`.
    virtual void setRunDecoration(bool hideMenusAndToolbar, bool borderless,
                                  bool keepMenuHidden) = 0;
    // A run has started (`presenting`) or ended, however it ended. A run interrupted by a
    // command and resumed after it ends and starts again.
    virtual void runStateChanged(bool presenting) { (void)presenting; }

    // The slide's audio track.
    virtual void playSlideAudio(const QString &path, bool repeat) = 0;
    virtual void stopSlideAudio() = 0;
    // Stops video and animation of the slide on screen, and its audio.
    virtual void stopMedia() = 0;

    // Starts the program of an skProgram slide (arguments in its first paragraph) or opens the
    // document of an skDocument slide.
    virtual void launch(const SlideRecord &slide) = 0;

    // File dialogs; an empty result means cancelled.
    virtual QString askOpenSlideListPath(const QString &current) = 0;
    // Closes the main window for good (the close query has been answered).
    virtual void closeWindow() = 0;
    // Second-group commands served by windows outside the engine (editors, go-to, options).
    virtual void carryOutCommand(PendingCommandCode code) = 0;
    // The presentation check with its report (A_F_Check; after opening when the options ask).
    virtual void checkPresentation() {}

    // The question controls of the slide on screen, on its note or title panel. The model stays
    // alive until freeQuestion; its typed-answer box is shared with the engine.
    virtual void showQuestion(const QuestionModel &question, const SlideRecord &slide)
    {
        (void)question;
        (void)slide;
    }
    virtual void freeQuestion() {}
    // A reaction from the image-sound table: a window with the picture (and its mark) or the text
    // file; `audio` is played while the window is active.
    virtual void showReactionPicture(const QString &file, int markX, int markY,
                                     const QString &audio)
    {
        (void)file;
        (void)markX;
        (void)markY;
        (void)audio;
    }
    virtual void showReactionText(const QString &file, const QString &audio)
    {
        (void)file;
        (void)audio;
    }
};
