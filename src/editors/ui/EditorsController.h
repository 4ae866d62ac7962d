#pragma once

#include "editors/ui/TFEditSAL.h"
#include "files/TPosSize.h"
#include "player/ui/MainWindowController.h"

#include <QPointer>

#include <functional>

class HelpRequester;
class MainWindowCommands;
class PlayerEngine;
class PlayerView;
class PresentationSession;
class Prompter;
class QDialog;
class Shell;
class TModIniLS;
struct MeaningTable;

// The editors of the main window: the slide list editor on the list in force or on a new one, and
// the two meaning table editors on the tables in force, on new ones or on tables opened from a
// file. A run that was interrupted to edit resumes at its position when the editor closes, unless
// the quiz a table editor generated is loaded in its place.
class EditorsController : public MainWindowController
{
    Q_OBJECT
public:
    EditorsController(TModIniLS &module, PlayerEngine &engine, MainWindowCommands &commands,
                      PlayerView &view, Prompter &prompter, Shell &shell);

    void setHelpRequester(HelpRequester *help) { m_services.help = help; }
    // How the slide audio plays from the editors (the main window's player).
    void setAudio(std::function<void(const QString &)> play, std::function<void()> stop);
    // How the editors open the inner formal options dialog.
    void setInFormalOptions(std::function<void()> show)
    {
        m_services.inFormalOptions = std::move(show);
    }

    // The slide list editor (pending commands 6 and 7).
    void editSlideList(bool newList);
    // The images/sounds table editor on the table in force, on a new table, or on one opened
    // from a file (pending commands 10, 11, 12).
    enum class TableSource { Current, New, Open };
    void editSoundTable(TableSource source);
    // The words table editor likewise (pending commands 13, 14, 15).
    void editWordTable(TableSource source);

    // The main window's dialogs for tables: open ("" when cancelled) and save.
    QString askOpenTablePath(bool words);
    QString askSaveTablePath(bool words, const QString &current);
    // Tests answer the file dialogs from here.
    std::function<QString(bool words, bool save, const QString &current)> chooseTableFile;

    SlideEditorMemory &memory() { return m_memory; }
    // The editor while it is open, else null.
    TFEditSAL *openEditor() const { return m_editor; }
    // Called with the editor just before it runs (tests drive it from here); its result is what
    // exec() returns.
    std::function<int(TFEditSAL &)> runEditor;
    // The same for the table editors.
    std::function<int(QDialog &)> runTableEditor;
    // What the images/sounds table editor keeps between openings.
    EditorWindowState &soundEditorState() { return m_soundState; }

    // A table given on the command line opens in its editor once the program has started (when
    // the access level lets the user edit).
    void startUpTableLoaded(const QString &path) override;

private:
    // Before the images/sounds table in force is replaced: a modified one is offered for saving.
    // False when the replacement is abandoned.
    bool querySaveSoundTable();
    // After a table editor closed: the quiz it generated is offered to load and run.
    void offerGeneratedQuiz(const QString &generated, bool resume, int position);
    // Reads the table `path` names into the main window's table of its kind, as opening does.
    bool openTableFile(MeaningTable &table, const QString &path);

    TModIniLS &m_module;
    PlayerEngine &m_engine;
    PresentationSession &m_session;
    MainWindowCommands &m_commands;
    EditorServices m_services;
    SlideEditorMemory m_memory;
    QPointer<TFEditSAL> m_editor;
    EditorWindowState m_soundState;
    TPosSize m_wordPlace{QSize(300, 100)};
    // Kept while the program runs: in the words table the word is the question.
    bool m_wordsSwapped = false;
};
