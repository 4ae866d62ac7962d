#pragma once

#include "editors/ui/TFEditSAL.h"
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

// The editors of the main window: the slide list editor on the list in force or on a new one. A run
// that was interrupted to edit resumes at its position when the editor closes.
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

    SlideEditorMemory &memory() { return m_memory; }
    // The editor while it is open, else null.
    TFEditSAL *openEditor() const { return m_editor; }
    // Called with the editor just before it runs (tests drive it from here); its result is what
    // exec() returns.
    std::function<int(TFEditSAL &)> runEditor;

private:
    TModIniLS &m_module;
    PlayerEngine &m_engine;
    PresentationSession &m_session;
    MainWindowCommands &m_commands;
    EditorServices m_services;
    SlideEditorMemory m_memory;
    QPointer<TFEditSAL> m_editor;
};
