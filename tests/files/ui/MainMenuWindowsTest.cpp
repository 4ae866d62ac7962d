#include "files/HelpRequester.h"
#include "files/ui/TFMainMenuMkLink.h"
#include "files/ui/TFMainMenuSimple.h"
#include "files/ui/TFMakeLinkProgram.h"
#include "support/FakePrompter.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <map>

namespace {

struct RecordingHelp : HelpRequester
{
    QStringList asked;
    void showHelpContext(int context) override { asked << QString::number(context); }
    void showHelpTopic(const QString &topic) override { asked << topic; }
    void showHelpContents() override { asked << QStringLiteral("contents"); }
};

QStringList captions(const QMenu *menu)
{
    QStringList out;
    for (const QAction *a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

// Answers the modal shortcut dialog once it is open: `choose` acts on it.
void whenDialogOpens(QObject *context, std::function<void(TFMakeLinkProgram &)> choose)
{
    QTimer::singleShot(0, context, [choose] {
        auto *dialog = qobject_cast<TFMakeLinkProgram *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        choose(*dialog);
    });
}

QString readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class MainMenuWindowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void menusAndHelpEntries()
    {
        TFMainMenuSimple w;
        QCOMPARE(w.fileMenu()->title(), QStringLiteral("Arxiu"));
        QCOMPARE(w.helpMenu()->title(), QStringLiteral("Ajuda"));
        QCOMPARE(captions(w.fileMenu()), QStringList{QStringLiteral("Surt")});
        QCOMPARE(captions(w.helpMenu()),
                 (QStringList{QStringLiteral("&Introducció"), QStringLiteral("Ajuda concreta"),
                              QStringLiteral("Continguts"), QStringLiteral("&Referència...")}));
        QCOMPARE(w.topicHelpAction()->shortcut(), QKeySequence(Qt::Key_F1));

        // No help yet: its entries are there but disabled; the reference is the window's own.
        for (QAction *a : {w.introductionAction(), w.topicHelpAction(), w.contentsAction()})
            QVERIFY(!a->isEnabled());
        QVERIFY(w.referenceAction()->isEnabled());
        QSignalSpy reference(&w, &TFMainMenuSimple::referenceRequested);
        w.referenceAction()->trigger();
        QCOMPARE(reference.count(), 1);

        RecordingHelp help;
        w.setHelpRequester(&help);
        for (QAction *a : {w.introductionAction(), w.topicHelpAction(), w.contentsAction()}) {
            QVERIFY(a->isEnabled());
            a->trigger();
        }
        QCOMPARE(help.asked,
                 (QStringList{QStringLiteral("Introduction"), QStringLiteral("MainWindow"),
                              QStringLiteral("contents")}));
        // A window with its own help context opens that instead of the topic.
        help.asked.clear();
        w.setTopicHelpContext(1500);
        w.topicHelpAction()->trigger();
        QCOMPARE(help.asked, QStringList{QStringLiteral("1500")});
        w.setHelpRequester(nullptr);
        QVERIFY(!w.contentsAction()->isEnabled());

        w.show();
        w.exitAction()->trigger();
        QVERIFY(!w.isVisible());
    }

    void shortcutDialog()
    {
        TFMakeLinkProgram dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Creació d'una drecera al programa"));
        QCOMPARE(dialog.folder(), SpecialFolder::DesktopDirectory);
        QCOMPARE(dialog.folderButton(SpecialFolder::Programs)->text(),
                 QStringLiteral("&Menú de programes"));
        QCOMPARE(dialog.folderButton(SpecialFolder::StartMenu)->text(),
                 QStringLiteral("Menú d'&inici"));
        QCOMPARE(dialog.folderButton(SpecialFolder::DesktopDirectory)->text(),
                 QStringLiteral("&Escriptori"));
        dialog.folderButton(SpecialFolder::StartMenu)->click();
        QCOMPARE(dialog.folder(), SpecialFolder::StartMenu);
        QVERIFY(!dialog.helpButton()->isEnabled());
        RecordingHelp help;
        dialog.setHelp(&help, 1300);
        dialog.helpButton()->click();
        QCOMPARE(help.asked, QStringList{QStringLiteral("1300")});
    }

    // The chosen folder receives a launcher of the running program named as the window says;
    // the real desktop is never touched.
    void shortcutCommandWritesALauncher()
    {
        QTemporaryDir root;
        std::map<SpecialFolder, QString> folders{
            {SpecialFolder::Programs, root.filePath(QStringLiteral("programes/"))},
            {SpecialFolder::StartMenu, root.filePath(QStringLiteral("inici/"))},
            {SpecialFolder::DesktopDirectory, root.filePath(QStringLiteral("escriptori/"))}};
        for (const auto &[kind, path] : folders)
            QVERIFY(QDir().mkpath(path));
        FakePrompter prompter;
        TFMainMenuMkLink w(prompter);
        w.setLinkName(QStringLiteral("Pelvar"));
        w.setFolderResolver([&](SpecialFolder f) -> Fallible<QString> { return folders[f]; });
        QCOMPARE(w.makeLinkAction()->text(), QStringLiteral("Crea accés directe..."));
        QCOMPARE(captions(w.fileMenu()),
                 (QStringList{QStringLiteral("Crea accés directe..."), QStringLiteral("-"),
                              QStringLiteral("Surt")}));

        // The desktop, as the dialog first proposes.
        whenDialogOpens(this, [](TFMakeLinkProgram &d) { d.okButton()->click(); });
        w.makeLinkAction()->trigger();
        const QString launcher =
            folders[SpecialFolder::DesktopDirectory] + QStringLiteral("Pelvar.desktop");
        QVERIFY(QFileInfo::exists(launcher));
        const QString entry = readAll(launcher);
        const QFileInfo program(QCoreApplication::applicationFilePath());
        QVERIFY2(entry.contains(QStringLiteral("Exec=\"") + program.absoluteFilePath() +
                                QLatin1Char('"')),
                 qPrintable(entry));
        QVERIFY(entry.contains(QStringLiteral("Path=") + program.absolutePath()));
        QVERIFY(!entry.contains(QStringLiteral("Comment=")));
        QVERIFY(prompter.shown.empty());

        // Another choice goes to its own folder; Cancel writes nothing.
        whenDialogOpens(this, [](TFMakeLinkProgram &d) {
            d.folderButton(SpecialFolder::Programs)->click();
            d.okButton()->click();
        });
        w.makeLinkCommand();
        QVERIFY(
            QFileInfo::exists(folders[SpecialFolder::Programs] + QStringLiteral("Pelvar.desktop")));
        whenDialogOpens(this, [](TFMakeLinkProgram &d) {
            d.folderButton(SpecialFolder::StartMenu)->click();
            d.reject();
        });
        w.makeLinkCommand();
        QVERIFY(QDir(folders[SpecialFolder::StartMenu]).isEmpty());
        QVERIFY(prompter.shown.empty());
    }

    void shortcutFailuresAreReported()
    {
        QTemporaryDir root;
        FakePrompter prompter;
        TFMainMenuMkLink w(prompter);
        w.setLinkName(QStringLiteral("Pelvar"));
        w.setFolderResolver([](SpecialFolder) {
            return Fallible<QString>::failure(QStringLiteral("No s'ha trobat el directori 'x'"));
        });
        QCOMPARE(w.createLink(SpecialFolder::DesktopDirectory), QString());
        QCOMPARE(prompter.texts(), QStringList{QStringLiteral("No s'ha trobat el directori 'x'")});
        QCOMPARE(prompter.shown[0].kind, MsgKind::Error);

        // A folder that cannot be written to.
        prompter.clear();
        const QString missing = root.filePath(QStringLiteral("no/hi/es/"));
        w.setFolderResolver([&](SpecialFolder) -> Fallible<QString> { return missing; });
        QCOMPARE(w.createLink(SpecialFolder::Programs), QString());
        QCOMPARE(prompter.texts(),
                 QStringList{QStringLiteral("S'ha produït un error en crear\r\n") + missing +
                             QStringLiteral("Pelvar.desktop")});
    }
};

QTEST_MAIN(MainMenuWindowsTest)
#include "MainMenuWindowsTest.moc"
