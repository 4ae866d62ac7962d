#pragma once

#include "config/FileTypeRegistration.h"
#include "player/ui/MainWindowController.h"
#include "users/ui/AdminOptionsDialog.h"

#include <QString>

#include <functional>

class HelpRequester;
class MainWindowCommands;
class PlayerEngine;
class PresentationSession;
class Prompter;
class QDialog;
class TDMAdminUsersDomains;
class TModIniLS;

// The option dialogs of the main window: presentation mode, speed, outer formal options, the
// general options and the administrator's options. Each dialog edits a copy and hands it back; the
// engine then applies it to the session and the window.
class OptionsController : public MainWindowController
{
    Q_OBJECT
public:
    OptionsController(TModIniLS &module, PlayerEngine &engine, MainWindowCommands &commands,
                      Prompter &prompter);

    void showModalOptions();
    void showSpeedOptions();
    void showOutFormalOptions();
    void showGeneralOptions();
    // The administrator's options work on the users and domains lists; the command waits for
    // them.
    void setUsers(TDMAdminUsersDomains &users);
    void showAdminOptions();

    // The help the dialogs' "Ajuda" and F1 open; it must outlive the controller.
    void setHelpRequester(HelpRequester *help) { m_help = help; }

    // Where the registration buttons install the file types (tests point it elsewhere).
    FileTypeRegistration &registration() { return m_registration; }
    // Called with each dialog just before it runs (tests drive it from here); the dialog's
    // result is what exec() returns.
    std::function<int(QDialog &)> runDialog;
    // The file a "nova o sobrescrivint" save goes to; "" when cancelled. Tests replace it.
    std::function<QString(const QString &current)> chooseConfigFile;

private:
    int run(QDialog &dialog);
    // Saves the settings in force at once to `destination` (OK with saving).
    void saveNow(int destination);
    QString presentationName() const;

    TModIniLS &m_module;
    PlayerEngine &m_engine;
    PresentationSession &m_session;
    MainWindowCommands &m_commands;
    Prompter &m_prompter;
    FileTypeRegistration m_registration;
    TDMAdminUsersDomains *m_users = nullptr;
    HelpRequester *m_help = nullptr;
    AdminWindowMemory m_adminWindow;
};
