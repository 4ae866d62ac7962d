#pragma once

#include "config/FontLookup.h"
#include "config/TModIniLS.h"
#include "media/TLRU.h"
#include "player/PlayerView.h"
#include "player/StartupArgs.h"
#include "player/ui/MainWindowController.h"
#include "users/Identification.h"
#include "users/SampleInstallation.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

// The status hints of the two option commands.
QString saveLoadOptionsHint(int saveIndividualConfigO, bool loadIndividualConfig);
QString initialOptionsHint(int automaticInit);

class HelpRequester;
class MainWindowCommands;
class PlayerEngine;
class PresentationSession;
class Prompter;
class QAction;
class QMenu;
class TDMAdminUsersDomains;

// Connects the configuration files to the main window: the start-up reading, the exit saving,
// the recent-file submenu, the presentation-configuration commands and their dialogs. Its
// commands join the window's menus when it is created.
class ConfigurationController : public MainWindowController
{
    Q_OBJECT
public:
    ConfigurationController(TModIniLS &module, PlayerEngine &engine, MainWindowCommands &commands,
                            Prompter &prompter);
    ~ConfigurationController() override;

    // The users module and the dialogs that identify the user at start-up.
    void setUsers(TDMAdminUsersDomains &users, IdentificationDialogs &dialogs);

    // The examples the welcome dialog adapts at start-up while the program configuration says
    // they were not, and the shortcut offer that follows the dialog. Without them (the tests'
    // windows) start-up shows no welcome.
    void setWelcome(const ExamplesPlace &examples, std::function<void()> offerShortcut);

    // Start-up before the file argument is handled: program-wide keys, the user, the options
    // and the default presentation settings.
    void readAtStartUp(const StartupArgs &args) override;
    // The list the options name to open at start-up when no file was given: "" when none.
    QString startUpList() const override;
    bool startUpRuns() const override { return m_runAtStart; }
    // Exit: options, settings offer, recent files. Returns whether all was written.
    bool saveAtExit() override;

    void addRecentFile(const QString &path) override;

    QMenu *reopenMenu() const { return m_reopenMenu; }
    QAction *openIniAction() const { return m_openIni; }
    QAction *saveLoadOptionsAction() const { return m_saveLoad; }
    QAction *initialOptionsAction() const { return m_initialOptions; }
    TLRU &recentFiles() { return m_lru; }
    // The help the option dialogs open; it must outlive the controller.
    void setHelpRequester(HelpRequester *help) { m_help = help; }
    void refreshHints();
    // The recent list takes effect: it is loaded and its menu entry enabled (the end of
    // start-up).
    void enableRecentFiles();

private:
    void buildMenus();
    IdentificationState identify(const StartupArgs &args);
    void fillReopenMenu();
    // The "Arxiu" menu opens: the recent entry stays enabled only while it was, the list is
    // enabled and it has names.
    void reopenMenuAboutToOpen();
    // The recent list's file: the program's, or the user's own ("" for the program's).
    void useRecentListOf(const QString &userName);
    void reopen(const QString &path);
    // A recent list chosen during a run, once the run has ended.
    void reopenPending();
    void showSaveLoadOptions();
    void showInitialOptions();
    // "Benvinguda i instal·lació d'exemples", then the shortcut offer.
    void showWelcome();

    TModIniLS &m_module;
    PlayerEngine &m_engine;
    PresentationSession &m_session;
    MainWindowCommands &m_commands;
    Prompter &m_prompter;
    HelpRequester *m_help = nullptr;
    std::unique_ptr<FontLookup> m_fonts;
    TLRU m_lru;
    std::optional<ExamplesPlace> m_examples;
    std::function<void()> m_offerShortcut;
    bool m_runAtStart = false;
    bool m_recentEnabled = false; // the list is loaded and its entry may be enabled
    QString m_reopenPath;
    TDMAdminUsersDomains *m_users = nullptr;
    IdentificationDialogs *m_identificationDialogs = nullptr;
    QMenu *m_reopenMenu = nullptr;
    QAction *m_openIni = nullptr;
    QAction *m_saveLoad = nullptr;
    QAction *m_initialOptions = nullptr;
};
