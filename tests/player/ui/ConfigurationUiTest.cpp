#include "config/FileTypeRegistration.h"
#include "config/TModIniLS.h"
#include "config/ui/TFConfigDialogs.h"
#include "config/ui/TPBJustOne.h"
#include "config/ui/TWhereSaveBox.h"
#include "player/ui/ConfigurationController.h"
#include "player/ui/TFShowImages.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"
#include "users/SampleInstallation.h"
#include "users/ui/TFInstall.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Every example list and table, each naming a picture from another machine.
void makeExamples(const QString &root)
{
    for (const SampleFile &sample : sampleFiles()) {
        const QString path = root + QLatin1Char('/') + QString::fromUtf16(sample.name) +
                             QString::fromUtf16(sample.extension);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(sample.kind == SampleFileKind::SlideList ? "C:\\E\\a.png\t\t\t\t\t\r\n"
                                                         : "C:\\E\\a.png\t-1\t-1\t\ta\r\n");
    }
}

// Starts the window with a welcome for the examples in `examples`; `press` says whether the
// welcome's "Fer-ho" is pressed or the dialog closed. Returns how many welcomes were shown.
int startWithWelcome(const QString &settingsDir, const QString &examples, bool press,
                     FakePrompter &prompter, int &shortcutOffers)
{
    TModIniLS module(THlpIniFLoadSave(settingsDir, QStringLiteral("Pelvar")));
    TFShowImages w(prompter);
    ConfigurationController config(module, w.engine(), w, prompter);
    config.setWelcome(ExamplesPlace{examples, QString()}, [&shortcutOffers] { ++shortcutOffers; });
    w.addController(config);
    int welcomes = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<TFInstall *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        ++welcomes;
        if (press)
            dialog->installButton()->click();
        else
            dialog->reject();
    });
    timer.start(10);
    w.startUp(StartupArgs(), false);
    return welcomes;
}

} // namespace

class ConfigurationUiTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void secondCopyFindsTheFirst()
    {
        const QString name =
            QStringLiteral("pelvar-test-%1").arg(QCoreApplication::applicationPid());
        TPBJustOne first(name);
        QVERIFY(!first.anotherCopyRuns());
        QWidget window;
        first.listen(&window);
        TPBJustOne second(name);
        QVERIFY(second.anotherCopyRuns());
    }

    void startUpReadsTheOptionsAndExitWritesThem()
    {
        SlideListFixture fx;
        const QString list = fx.list(QStringLiteral("last.sal"),
                                     {SlideListFixture::line(fx.picture(QStringLiteral("a.png")))});
        QFile ini(fx.path(QStringLiteral("Pelvar.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(QStringLiteral("[Options]\r\nCurrentSALName=%1\r\nAutomaticInit=2\r\n"
                                 "SaveIndividualConfigO=2\r\n[Image]\r\nImageDelay=5\r\n")
                      .arg(list)
                      .toUtf8());
        ini.close();
        FakePrompter prompter;
        TModIniLS module(THlpIniFLoadSave(fx.dir(), QStringLiteral("Pelvar")));
        {
            TFShowImages w(prompter);
            ConfigurationController config(module, w.engine(), w, prompter);
            w.addController(config);
            w.startUp(StartupArgs(), false);
            QCOMPARE(int(w.engine().session().Settings.ImageDelay), 5);
            QCOMPARE(w.engine().session().SlideListPath, list);
            QVERIFY(
                w.engine().state().Presenting); // AutomaticInit 2 opens and starts the last list
            QVERIFY(config.initialOptionsAction()->toolTip().endsWith(
                QStringLiteral("Obre i mostra l'últim arxiu 'sal' desat")));
            QCOMPARE(config.saveLoadOptionsAction()->toolTip(),
                     QStringLiteral("No desa individualment la configuració de cada presentació,\n"
                                    "carrega la configuració propia de la presentació"));
            w.engine().stop();
            w.engine().session().Options.AutomaticInit = AutomaticInitMode::OpenLast;
            QVERIFY(w.close());
        }
        QVERIFY(prompter.shown.empty());
        QFile back(fx.path(QStringLiteral("Pelvar.ini")));
        QVERIFY(back.open(QIODevice::ReadOnly));
        const QByteArray text = back.readAll();
        QVERIFY(text.contains("AutomaticInit=1"));
        QVERIFY(text.contains("ImageDelay=5")); // the defaults were not touched
        QFile lru(fx.path(QStringLiteral("Pelvar_1.lru")));
        QVERIFY(lru.open(QIODevice::ReadOnly));
        QCOMPARE(lru.readAll(), list.toUtf8() + "\r\n");
    }

    // The results go by default where the settings go: beside a program that keeps its settings
    // there, in the user's settings folder when the program is installed.
    void resultsDefaultToTheSettingsFolder()
    {
        QTemporaryDir root;
        const QString program = root.filePath(QStringLiteral("usr/lib/pelvar/pelvar"));
        QVERIFY(QDir().mkpath(QFileInfo(program).absolutePath()));
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("usr/share/pelvar"))));
        QFile(program).open(QIODevice::WriteOnly);
        const QString settings = root.filePath(QStringLiteral("home"));
        qputenv("PELVAR_CONFIG_DIR", settings.toUtf8());
        TModIniLS module{THlpIniFLoadSave(program)};
        qunsetenv("PELVAR_CONFIG_DIR");
        FakePrompter prompter;
        TFShowImages w(prompter);
        ConfigurationController config(module, w.engine(), w, prompter);
        w.addController(config);
        w.startUp(StartupArgs(), false);
        QCOMPARE(QDir(w.engine().session().Options.Results.Dir).absolutePath(),
                 QDir(settings).absolutePath());
        QVERIFY(!module.paths().ProgramDir.startsWith(settings));
    }

    // The welcome comes at the first start and until "Fer-ho" has adapted the examples, each time
    // followed by the shortcut offer; once it has, it does not come back.
    void welcomeUntilTheExamplesAreAdapted()
    {
        SlideListFixture fx;
        const QString examples = fx.path(QStringLiteral("Exemples"));
        makeExamples(examples);
        const QString fada = examples + QStringLiteral("/Presentacions/Conte lineal/Fada.sal");
        FakePrompter prompter;
        int offers = 0;
        // Closed without "Fer-ho": nothing is adapted or recorded.
        QCOMPARE(startWithWelcome(fx.dir(), examples, false, prompter, offers), 1);
        QCOMPARE(offers, 1);
        QVERIFY(prompter.shown.empty());
        QFile list(fada);
        QVERIFY(list.open(QIODevice::ReadOnly));
        QVERIFY(list.readAll().startsWith("C:\\E\\a.png"));
        list.close();
        // A missing example: the error, and the welcome stays for the next start.
        QVERIFY(QFile::rename(fada, fada + QStringLiteral(".x")));
        QCOMPARE(startWithWelcome(fx.dir(), examples, true, prompter, offers), 1);
        QCOMPARE(offers, 2);
        QCOMPARE(prompter.shown.size(), std::size_t(1));
        QCOMPARE(prompter.shown.front().kind, MsgKind::Error);
        QVERIFY(prompter.shown.front().text.startsWith(QStringLiteral("No s'ha trobat l'arxiu")));
        prompter.clear();
        // All there: adapted, "Ja està", recorded at once in the program configuration.
        QVERIFY(QFile::rename(fada + QStringLiteral(".x"), fada));
        QCOMPARE(startWithWelcome(fx.dir(), examples, true, prompter, offers), 1);
        QCOMPARE(offers, 3);
        QCOMPARE(prompter.shown.size(), std::size_t(1));
        QCOMPARE(prompter.shown.front().text, QStringLiteral("Ja està"));
        QVERIFY(list.open(QIODevice::ReadOnly));
        QCOMPARE(
            list.readAll(),
            (QFileInfo(fada).absolutePath() + QStringLiteral("/a.png\t\t\t\t\t\r\n")).toUtf8());
        list.close();
        QFile ini(fx.path(QStringLiteral("Pelvar.ini")));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(ini.readAll().contains("InstalledSamples=1"));
        prompter.clear();
        QCOMPARE(startWithWelcome(fx.dir(), examples, true, prompter, offers), 0);
        QCOMPARE(offers, 3);
        QVERIFY(prompter.shown.empty());
    }

    void reopeningAVanishedList()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        TModIniLS module(THlpIniFLoadSave(fx.dir(), QStringLiteral("Pelvar")));
        TFShowImages w(prompter);
        ConfigurationController config(module, w.engine(), w, prompter);
        const QString gone =
            fx.list(QStringLiteral("gone.sal"),
                    {SlideListFixture::line(QStringLiteral(""), QStringLiteral(""),
                                            QStringLiteral("t"), QStringLiteral(""))});
        config.addRecentFile(gone);
        QVERIFY(config.reopenMenu()->isEnabled());
        QFile::remove(gone);
        QMetaObject::invokeMethod(config.reopenMenu(), "aboutToShow");
        QCOMPARE(config.reopenMenu()->actions().size(), 1);
        config.reopenMenu()->actions().first()->trigger();
        QCOMPARE(
            prompter.texts(),
            QStringList{QStringLiteral("L'arxiu\r\n%1\r\nno existeix.\r\nS'ha eliminat del LRU")
                            .arg(gone)});
        QCOMPARE(config.recentFiles().count(), 0);
        QVERIFY(!config.reopenMenu()->isEnabled());
    }

    void recentEntryOnceShownEmptyStaysDisabled()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        TModIniLS module(THlpIniFLoadSave(fx.dir(), QStringLiteral("Pelvar")));
        TFShowImages w(prompter);
        ConfigurationController config(module, w.engine(), w, prompter);
        w.addController(config);
        w.startUp(StartupArgs(), false);
        QVERIFY(config.reopenMenu()->isEnabled()); // enabled with the window
        QMenu *file = w.menu(u"MI_File");
        QVERIFY(file);
        QMetaObject::invokeMethod(file, "aboutToShow"); // shown empty
        QVERIFY(!config.reopenMenu()->isEnabled());
        // A list opened afterwards joins the list, but the entry stays as it was.
        config.addRecentFile(
            fx.list(QStringLiteral("a.sal"),
                    {SlideListFixture::line(fx.picture(QStringLiteral("a.png")))}));
        QCOMPARE(config.recentFiles().count(), 1);
        QVERIFY(!config.reopenMenu()->isEnabled());
        QMetaObject::invokeMethod(file, "aboutToShow");
        QVERIFY(!config.reopenMenu()->isEnabled());
        // Until the window enables the list again.
        config.enableRecentFiles();
        QMetaObject::invokeMethod(file, "aboutToShow");
        QVERIFY(config.reopenMenu()->isEnabled());
    }

    void usersWithTheirOwnConfigurationHaveTheirOwnRecentLists()
    {
        SlideListFixture fx;
        fx.file(QStringLiteral("Pelvar.ini"),
                "[Options]\r\nSeveralUsers=1\r\nUserConfiguration=1\r\n");
        fx.file(QStringLiteral("Pelvar_1.lru"), "/comuna.sal\r\n");
        fx.file(QStringLiteral("Pelvar_Maria1.lru"), "/maria.sal\r\n");
        FakePrompter prompter;
        TModIniLS module(THlpIniFLoadSave(fx.dir(), QStringLiteral("Pelvar")));
        {
            TFShowImages w(prompter);
            ConfigurationController config(module, w.engine(), w, prompter);
            w.addController(config);
            StartupArgs maria;
            maria.userName = QStringLiteral("Maria");
            w.startUp(maria, false);
            QVERIFY(module.IndividualConfigActive);
            QCOMPARE(config.recentFiles().fileName(), fx.path(QStringLiteral("Pelvar_Maria1.lru")));
            QCOMPARE(config.recentFiles().names(), QStringList{QStringLiteral("/maria.sal")});
        }
        // Nobody identified: the program's own list.
        TFShowImages w(prompter);
        ConfigurationController config(module, w.engine(), w, prompter);
        w.addController(config);
        w.startUp(StartupArgs(), false);
        QCOMPARE(config.recentFiles().names(), QStringList{QStringLiteral("/comuna.sal")});
    }

    void saveDestinationBox()
    {
        TWhereSaveBox unnamed(0, QString(), QStringLiteral("Pelvar"),
                              TWhereSaveBox::HintStyle::AcceptAndSave);
        QCOMPARE(unnamed.combo()->count(), 2);
        QCOMPARE(unnamed.combo()->currentText(), QStringLiteral("per defecte"));
        QCOMPARE(unnamed.buttonHint(),
                 QStringLiteral("Accepta les modificacions fetes i ja les desa a\r\nPelvar.ini"));
        TWhereSaveBox named(0, QStringLiteral("Mostra"), QStringLiteral("Pelvar"),
                            TWhereSaveBox::HintStyle::SaveCurrent);
        QCOMPARE(named.combo()->currentText(), QStringLiteral("per la presentació actual"));
        QCOMPARE(named.buttonHint(), QStringLiteral("Desa la configuració actual a\r\nMostra.ini"));
        named.combo()->setCurrentIndex(2);
        QCOMPARE(named.destination(), 2);
        QVERIFY(named.buttonHint().endsWith(
            QStringLiteral("una nova configuració o sobrescrivint una existent")));

        TFSaveLoadIndivConfig0ptions::Values v;
        v.SaveIndividualConfigO = 0;
        v.LoadIndividualConfig = false;
        v.SaveDestination = 0;
        TFSaveLoadIndivConfig0ptions dialog(v, QStringLiteral("/x/Mostra.ini"), true,
                                            QStringLiteral("Mostra"), QStringLiteral("Pelvar"));
        QCOMPARE(dialog.currentIniLabel()->text(), QStringLiteral("Mostra.ini (modificat)"));
        const auto back = dialog.values();
        QCOMPARE(back.SaveIndividualConfigO, 0);
        QVERIFY(!back.LoadIndividualConfig);
        QCOMPARE(back.SaveDestination, 0);
        TFInitialOptions init(2);
        QCOMPARE(init.automaticInit(), 2);
    }

    void fileTypesRegisterAndGoAway()
    {
        QTemporaryDir data, icons;
        for (const char *icon : {"pelvar.svg", "pelvar-sal.svg", "pelvar-wml.svg"}) {
            QFile f(icons.filePath(QLatin1String(icon)));
            f.open(QIODevice::WriteOnly);
            f.write("<svg/>");
        }
        FileTypeRegistration reg;
        reg.dataDir = data.path();
        reg.programPath = QStringLiteral("/opt/pelvar/pelvar");
        reg.iconsDir = icons.path();
        FakePrompter p;
        QVERIFY(!reg.RegisterFileTypes(p)); // pelvar-sml.svg is missing: reported, the rest done
        QCOMPARE(p.texts(),
                 QStringList{QStringLiteral("No s'ha trobat l'arxiu '%1'")
                                 .arg(icons.filePath(QStringLiteral("pelvar-sml.svg")))});
        QFile mime(reg.mimePackagePath());
        QVERIFY(mime.open(QIODevice::ReadOnly));
        const QByteArray xml = mime.readAll();
        for (const char *glob : {"*.sal", "*.sml", "*.wml"})
            QVERIFY(xml.contains(glob));
        QVERIFY(QFile::exists(reg.iconPath(QStringLiteral("SALFile"))));
        QVERIFY(!QFile::exists(reg.iconPath(QStringLiteral("SMLFile"))));
        QFile entry(reg.desktopEntryPath());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll().contains("Exec=\"/opt/pelvar/pelvar\" %f"));
        p.clear();
        QVERIFY(reg.UnregisterFileTypes(p));
        QVERIFY(p.shown.empty());
        QVERIFY(!QFile::exists(reg.mimePackagePath()));
        QVERIFY(!QFile::exists(reg.desktopEntryPath()));
        QVERIFY(!QFile::exists(reg.iconPath(QStringLiteral("WMLFile"))));
    }
};

QTEST_MAIN(ConfigurationUiTest)
#include "ConfigurationUiTest.moc"
