#include "player/ui/ConfigurationController.h"

#include "config/ui/TFConfigDialogs.h"
#include "files/FileNames.h"
#include "files/HelpContexts.h"
#include "files/Prompter.h"
#include "player/PlayerEngine.h"
#include "player/ui/MainWindowCommandSet.h"
#include "player/ui/MainWindowCommands.h"
#include "users/TDMAdminUsersDomains.h"
#include "users/ui/TFInstall.h"

#include <QAction>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>

QString saveLoadOptionsHint(int saveIndividualConfigO, bool loadIndividualConfig)
{
    static const char *const save[] = {
        "Desa configuració de cada presentació sense preguntar",
        "Pregunta si es vol desar la configuració de cada presentació",
        "No desa individualment la configuració de cada presentació"};
    const int i =
        (saveIndividualConfigO >= 0 && saveIndividualConfigO <= 2) ? saveIndividualConfigO : 2;
    return QString::fromUtf8(save[i]) + QStringLiteral(",\r\n") +
           QStringLiteral("%1carrega la configuració propia de la presentació")
               .arg(loadIndividualConfig ? QString() : QStringLiteral("no "));
}

QString initialOptionsHint(int automaticInit)
{
    static const char *const what[] = {"no carrega cap arxiu", "Obre l'últim arxiu 'sal' desat",
                                       "Obre i mostra l'últim arxiu 'sal' desat"};
    const int i = (automaticInit >= 0 && automaticInit <= 2) ? automaticInit : 0;
    return QStringLiteral("En iniciar el programa:\r\n") + QString::fromUtf8(what[i]);
}

ConfigurationController::ConfigurationController(TModIniLS &module, PlayerEngine &engine,
                                                 MainWindowCommands &commands, Prompter &prompter)
    : MainWindowController(nullptr), m_module(module), m_engine(engine),
      m_session(engine.session()), m_commands(commands), m_prompter(prompter)
{
    FontLookup::installWindowsSubstitutions();
    m_fonts = std::make_unique<FontLookup>(FontLookup::fromSystem());
    m_session.ReadContext.fonts = m_fonts.get();
    m_session.ReadContext.prompter = &m_prompter;
    m_session.ReadContext.pickBitmap = [this](const QString &missing) {
        return QFileDialog::getOpenFileName(
            m_commands.dialogParent(), QStringLiteral("Obrir %1").arg(QStringLiteral("una imatge")),
            QFileInfo(missing).absolutePath(),
            QStringLiteral("Imatges (*.bmp *.png *.jpg *.jpeg *.gif)"));
    };
    m_session.ProgramIniPath = m_module.paths().ProgramIniPath;
    useRecentListOf(QString());
    buildMenus();
}

ConfigurationController::~ConfigurationController() = default;

void ConfigurationController::buildMenus()
{
    m_commands.addAction(u"MI_F_ReopenSAL", this);
    m_reopenMenu = m_commands.menu(u"MI_F_ReopenSAL");
    connect(m_reopenMenu, &QMenu::aboutToShow, this, &ConfigurationController::fillReopenMenu);
    // The menu that holds the entry opening from the menu bar is when the entry's state is
    // decided.
    if (QMenu *file = m_commands.menu(u"MI_File"))
        connect(file, &QMenu::aboutToShow, this, &ConfigurationController::reopenMenuAboutToOpen);
    m_commands.setCommandHandler(PendingCommandCode::ReopenSAL, this, [this] { reopenPending(); });

    m_openIni = m_commands.addAction(u"A_F_OpenIni", this);
    connect(m_openIni, &QAction::triggered, this,
            [this] { m_engine.command(PendingCommandCode::OpenIni); });
    m_saveLoad = m_commands.addAction(u"A_F_SaveLoadIndividualConfig", this);
    connect(m_saveLoad, &QAction::triggered, this, &ConfigurationController::showSaveLoadOptions);
    m_initialOptions = m_commands.addAction(u"A_F_InitialOptions", this);
    connect(m_initialOptions, &QAction::triggered, this,
            &ConfigurationController::showInitialOptions);
    refreshHints();
}

void ConfigurationController::refreshHints()
{
    // Which of these commands the access level hides, the main window decides.
    MainWindowCommandSet::setHint(m_saveLoad,
                                  saveLoadOptionsHint(int(m_session.Options.SaveIndividualConfigO),
                                                      m_session.Options.LoadIndividualConfig));
    MainWindowCommandSet::setHint(m_initialOptions,
                                  initialOptionsHint(int(m_session.Options.AutomaticInit)));
}

void ConfigurationController::useRecentListOf(const QString &userName)
{
    // Each user with a configuration of his own has his own recent lists.
    m_lru.setFileName(TLRU::storageFileName(
        m_module.paths().ConfigDir + m_module.paths().ProgramBaseName, userName, 1));
}

void ConfigurationController::enableRecentFiles()
{
    m_recentEnabled = true;
    m_lru.loadFromFile();
    m_reopenMenu->setEnabled(true);
}

void ConfigurationController::reopenMenuAboutToOpen()
{
    // Once shown empty (or before the recent list is enabled) the entry stays disabled, even
    // when names are added later, until the window enables the list again.
    m_reopenMenu->setEnabled(m_reopenMenu->isEnabled() && m_recentEnabled && m_lru.count() > 0);
}

void ConfigurationController::setUsers(TDMAdminUsersDomains &users, IdentificationDialogs &dialogs)
{
    m_users = &users;
    m_identificationDialogs = &dialogs;
}

IdentificationState ConfigurationController::identify(const StartupArgs &args)
{
    IdentifyInput in;
    in.commandLineLevel = args.accessLevel;
    in.commandLineUser = args.userName;
    in.SeveralUsers = m_module.Wide.SeveralUsers;
    in.UserConfiguration = m_module.Wide.UserConfiguration;
    in.UseAdminPassword = m_module.Wide.UseAdminPassword;
    in.AdminPassword = m_module.Wide.AdminPassword;
    if (m_users && m_identificationDialogs) {
        m_users->SetUsersDir(m_module.Wide.DBUsersDir);
        TDMAdminUsersDomains *users = m_users;
        m_session.DomainResultsDir = [users](const QString &domain) {
            return users->DomainDir(domain);
        };
        return Identify(in, *m_users, *m_identificationDialogs, m_prompter);
    }
    // Without the users module (tools, tests of the window): no dialog is shown, and an
    // administrator password in use leaves the program view-only.
    TDMAdminUsersDomains none;
    struct NoDialogs : IdentificationDialogs
    {
        std::optional<QString> askUserName(const QString &) override { return std::nullopt; }
        std::optional<QString> askAdminPassword() override { return std::nullopt; }
        std::optional<Credentials> askUserPassword(UserPasswordCheck &, const QStringList &,
                                                   const QString &) override
        {
            return std::nullopt;
        }
    } noDialogs;
    return Identify(in, none, noDialogs, m_prompter);
}

void ConfigurationController::readAtStartUp(const StartupArgs &args)
{
    m_module.readProgramWide(m_prompter);
    if (!m_module.Wide.InstalledSamples && m_examples)
        showWelcome();
    const IdentificationState who = identify(args);
    m_module.UserName = who.userName;
    m_module.IndividualConfigActive = who.individualConfigActive;
    m_session.AccessLevel = who.accessLevel;
    m_session.UserName = who.userName;
    m_session.UserDomain = who.domain;
    m_session.UserIdentified = who.identified;
    m_session.SeveralUsers = m_module.Wide.SeveralUsers;
    // Each user with a configuration of his own has his own recent files.
    useRecentListOf(m_module.IndividualConfigActive ? m_module.UserName : QString());
    ProgramOptionsReadContext ctx;
    // The results' default folder: the settings folder, writable also when installed.
    ctx.programDir = m_module.paths().ConfigDir;
    ctx.commandLineFile = !args.fileArgument.isEmpty();
    ctx.accessLevel = m_session.AccessLevel;
    ctx.prompter = &m_prompter;
    m_module.readProgramOptions(m_session.Options, ctx);
    m_module.readDefaultSettings(m_session.Settings, m_session.ReadContext);
    m_module.loadFavDirs(m_session.Options);
    // Results are written only for an identified user.
    m_session.Options.Results.Valid = who.identified && !m_session.Options.Results.disabledForRun;
    m_session.AdminResults = m_module.AdminResults;
    m_session.AdminResults.Valid = who.identified && !m_module.AdminResults.disabledForRun &&
                                   !m_module.Wide.DBUsersDir.isEmpty();
    enableRecentFiles();
    m_runAtStart = args.fileArgument.isEmpty() &&
                   m_session.Options.AutomaticInit == AutomaticInitMode::OpenAndRun;
    refreshHints();
}

void ConfigurationController::setWelcome(const ExamplesPlace &examples,
                                         std::function<void()> offerShortcut)
{
    m_examples = examples;
    m_offerShortcut = std::move(offerShortcut);
}

void ConfigurationController::showWelcome()
{
    TFInstall dialog(*m_examples, m_prompter, m_help, m_commands.dialogParent());
    dialog.recordInstalled = [this] { return m_module.recordInstalledSamples(m_prompter); };
    dialog.exec();
    if (m_offerShortcut)
        m_offerShortcut();
}

QString ConfigurationController::startUpList() const
{
    if (m_session.Options.AutomaticInit == AutomaticInitMode::Nothing)
        return QString();
    return m_session.Options.CurrentSALName;
}

bool ConfigurationController::saveAtExit()
{
    if (QFileInfo(m_session.SlideListPath).isFile())
        m_session.Options.CurrentSALName = m_session.SlideListPath;
    // A list never loaded is not written over the stored one.
    if (m_recentEnabled)
        m_lru.saveToFile();
    return m_module.saveAtExit(m_session.Options, m_session.Settings, m_session.SettingsModified,
                               m_prompter);
}

void ConfigurationController::addRecentFile(const QString &path)
{
    if (extractFileName(path) == SlideList::untitledName() || !QFileInfo(path).isFile())
        return;
    m_lru.AddItem(path);
}

void ConfigurationController::fillReopenMenu()
{
    m_reopenMenu->clear();
    for (const QString &name : m_lru.names()) {
        QAction *a = m_reopenMenu->addAction(name);
        connect(a, &QAction::triggered, this, [this, name] { reopen(name); });
    }
}

void ConfigurationController::reopen(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        m_lru.RemoveItem(path);
        m_prompter.ShowError(
            QStringLiteral("L'arxiu\r\n%1\r\nno existeix.\r\nS'ha eliminat del LRU").arg(path));
        if (m_lru.count() == 0)
            m_reopenMenu->setEnabled(false);
        return;
    }
    if (m_engine.state().Presenting) {
        m_reopenPath = path;
        m_engine.command(PendingCommandCode::ReopenSAL);
        return;
    }
    m_engine.OpenPresentation(path);
}

void ConfigurationController::reopenPending()
{
    const QString path = m_reopenPath;
    m_reopenPath.clear();
    if (!path.isEmpty())
        reopen(path);
}

void ConfigurationController::showSaveLoadOptions()
{
    TFSaveLoadIndivConfig0ptions::Values v;
    // The dialogs take and give the stored numbers.
    v.SaveIndividualConfigO = int(m_session.Options.SaveIndividualConfigO);
    v.LoadIndividualConfig = m_session.Options.LoadIndividualConfig;
    v.SaveDefaultConfigOnCloseWithPrompt = m_session.Options.SaveDefaultConfigOnCloseWithPrompt;
    v.LastConfigWhenNewPres = m_session.Options.LastConfigWhenNewPres;
    // The dialog's choice is the destination's stored number.
    v.SaveDestination = int(m_session.SaveDestination);
    TFSaveLoadIndivConfig0ptions dialog(
        v, m_session.ConfigSource, m_session.SettingsModified,
        m_session.isUnnamed() ? QString() : fileNameWithoutExt(m_session.SlideListPath),
        m_module.paths().ProgramBaseName, m_commands.dialogParent());
    dialog.setHelp(m_help, helpNumber(HelpContext::ConfigurationPolicies));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const auto out = dialog.values();
    m_session.Options.SaveIndividualConfigO = SaveConfigPolicy(out.SaveIndividualConfigO);
    m_session.Options.LoadIndividualConfig = out.LoadIndividualConfig;
    m_session.Options.SaveDefaultConfigOnCloseWithPrompt = out.SaveDefaultConfigOnCloseWithPrompt;
    m_session.Options.LastConfigWhenNewPres = out.LastConfigWhenNewPres;
    m_session.SaveDestination = SaveDestination(out.SaveDestination);
    refreshHints();
    if (dialog.saveNowRequested()) {
        QString chosen;
        if (m_session.SaveDestination == SaveDestination::Chosen) {
            chosen = QFileDialog::getSaveFileName(
                m_commands.dialogParent(),
                QStringLiteral("Desar %1").arg(QStringLiteral("una configuració de presentació")),
                m_session.presentationConfigPath(),
                QStringLiteral("Configuració de presentació (*.ini)"));
            if (!chosen.isEmpty() && QFileInfo(chosen).suffix().isEmpty())
                chosen += QStringLiteral(".ini");
        }
        m_session.SaveNow(chosen);
    }
}

void ConfigurationController::showInitialOptions()
{
    TFInitialOptions dialog(int(m_session.Options.AutomaticInit), m_commands.dialogParent());
    dialog.setHelp(m_help, helpNumber(HelpContext::InitialOptions));
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_session.Options.AutomaticInit = AutomaticInitMode(dialog.automaticInit());
    refreshHints();
}
