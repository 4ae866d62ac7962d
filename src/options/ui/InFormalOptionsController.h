#pragma once

#include "files/TPosSize.h"
#include "options/InFormalDemoState.h"
#include "player/ui/MainWindowController.h"

#include <QString>

#include <functional>

class HelpRequester;
class MainWindowCommands;
class PlayerEngine;
class PlayerView;
class Prompter;
class QAction;
class TFInFormalOptions;

// The main window's side of the inner formal options: A_V_InFormalOptions opens the dialog on a
// copy of the settings in force (after a run has ended), and what it hands back is applied to
// the window; the demonstration state is kept from one opening to the next.
class InFormalOptionsController : public MainWindowController
{
    Q_OBJECT
public:
    // `programDir` (with its trailing separator) and `programBaseName` name the demonstration
    // pictures; `view` is the window the settings are applied to.
    InFormalOptionsController(PlayerEngine &engine, PlayerView &view, MainWindowCommands &commands,
                              Prompter &prompter, QString programDir, QString programBaseName);

    QAction *action() const { return m_action; }
    const InFormalDemoState &demoState() const { return m_state; }
    // Where the dialog stood when last closed.
    const TPosSize &geometryMemory() const { return m_geometry; }
    // The help the dialog's "Ajuda" and F1 open; it must outlive the controller.
    void setHelpRequester(HelpRequester *help) { m_help = help; }
    // Called with the dialog before it is shown (tests script it there).
    std::function<void(TFInFormalOptions &)> beforeShow;
    // Where a "nova o sobrescrivint" saving goes; the desktop's save dialog by default.
    std::function<QString(const QString &current)> chooseSavePath;

    // Opens the dialog now and applies what it hands back.
    void showDialog();

private:
    PlayerEngine &m_engine;
    PlayerView &m_view;
    MainWindowCommands &m_commands;
    Prompter &m_prompter;
    QString m_programDir, m_programBaseName;
    InFormalDemoState m_state;
    TPosSize m_geometry;
    QAction *m_action = nullptr;
    HelpRequester *m_help = nullptr;
};
