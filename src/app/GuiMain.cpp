#include "app/GuiMain.h"

#include "config/TModIniLS.h"
#include "config/ui/TPBJustOne.h"
#include "editors/ui/EditorsController.h"
#include "files/ProgramLayout.h"
#include "files/ui/ProgramHelp.h"
#include "files/ui/QtPrompter.h"
#include "files/ui/QtShell.h"
#include "options/ui/InFormalOptionsController.h"
#include "options/ui/OptionsController.h"
#include "player/StartupArgs.h"
#include "player/ui/ConfigurationController.h"
#include "player/ui/TFShowImages.h"
#include "slides/ui/WebEngineSetup.h"
#include "users/SampleInstallation.h"
#include "users/TDMAdminUsersDomains.h"
#include "users/ui/QtIdentificationDialogs.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <memory>

int runGui(int argc, char **argv, const QStringList &args, bool autoStart,
           const std::vector<std::pair<QString, QString>> &unreadable)
{
    // QApplication keeps a reference to argc: it must outlive the application object.
    static int s_argc = 0;
    std::unique_ptr<QApplication> ownApp;
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!app) {
        if (QCoreApplication::instance()) {
            std::fprintf(stderr, "pelvar: the window needs a QApplication\n");
            return 2;
        }
        s_argc = argc;
        prepareWebEngine();
        ownApp = std::make_unique<QApplication>(s_argc, argv);
        app = ownApp.get();
    }
    QApplication::setApplicationName(QStringLiteral("Pelvar"));
    QApplication::setApplicationVersion(QStringLiteral(PELVAR_VERSION));
    // The desktop entry's name lets a Wayland desktop match the windows with the entry's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("pelvar"));
    QApplication::setWindowIcon(
        QIcon(ProgramLayout(QCoreApplication::applicationDirPath()).iconsDir() +
              QStringLiteral("/pelvar.svg")));

    // The configuration module comes first: a second copy stops here, before touching any file.
    TPBJustOne justOne(QStringLiteral("pelvar"));
    if (justOne.anotherCopyRuns()) {
        QtPrompter prompter;
        prompter.ShowError(TPBJustOne::message());
        return 0;
    }
    TModIniLS module(THlpIniFLoadSave(QCoreApplication::applicationFilePath()));
    // The users module lives for the whole run: identification, results per domain.
    TDMAdminUsersDomains users;

    QtShell shell;
    // The help outlives every window that asks for it; its messages are modal to the main window.
    QtPrompter helpPrompter;
    ProgramHelp help(ProgramHelp::defaultCollectionFile(), helpPrompter);
    TFShowImages window;
    helpPrompter.setOwner(&window);
    window.setShell(shell);
    window.setHelpRequester(&help);
    // The Help button of a message box opens the box's help context.
    if (auto *boxes = dynamic_cast<QtPrompter *>(&window.prompter()))
        boxes->helpHandler = [&help](int context) { help.showHelpContext(context); };
    // The controllers add their commands to the window's menus as they are created, and are
    // called by it at start-up and exit.
    ConfigurationController config(module, window.engine(), window, window.prompter());
    config.setHelpRequester(&help);
    // The examples, adapted where they lie, or in the user's own copy when they are installed
    // for everyone; the welcome dialog is followed by the shortcut offer.
    const ProgramLayout layout(QCoreApplication::applicationDirPath());
    config.setWelcome(examplesPlace(layout.find(QStringLiteral("Exemples")), layout.installed(),
                                    userExamplesFolder()),
                      [&window] { window.makeLinkCommand(); });
    window.addController(config);
    QtIdentificationDialogs identification(window.prompter(), &window, &help);
    config.setUsers(users, identification);
    OptionsController options(module, window.engine(), window, window.prompter());
    options.setUsers(users);
    options.setHelpRequester(&help);
    window.addController(options);
    InFormalOptionsController inFormal(window.engine(), window, window, window.prompter(),
                                       module.paths().ProgramDir, module.paths().ProgramBaseName);
    inFormal.setHelpRequester(&help);
    window.addController(inFormal);
    EditorsController editors(module, window.engine(), window, window, window.prompter(), shell);
    editors.setHelpRequester(&help);
    editors.setInFormalOptions([&inFormal] { inFormal.showDialog(); });
    window.addController(editors);
    justOne.listen(&window);
    // The normal size fills the screen too, for desktops without a window manager to maximise.
    if (const QScreen *screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    StartupArgs startup = ParseStartupArgs(args);
    for (const auto &[text, message] : unreadable)
        if (!startup.fileArgument.isEmpty() && startup.fileArgument == text) {
            window.prompter().ShowError(message);
            startup.fileArgument.clear();
        }
    window.startUp(startup, autoStart);

    // PELVAR_SCREENSHOT=file.png: a picture of the window a moment after start-up, then exit
    // (for checks of the painting without a display).
    const QString shot = qEnvironmentVariable("PELVAR_SCREENSHOT");
    if (!shot.isEmpty()) {
        QTimer::singleShot(1500, &window, [&window, shot]() {
            const bool saved = window.grab().save(shot);
            if (!saved)
                std::fprintf(stderr, "pelvar: cannot write %s\n", qPrintable(shot));
            QCoreApplication::exit(saved ? 0 : 1);
        });
    }
    return app->exec();
}
