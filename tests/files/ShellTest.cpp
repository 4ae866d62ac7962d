#include "files/Shell.h"
#include "files/ShellOpen.h"
#include "files/Shortcut.h"
#include "support/FakePrompter.h"
#include "support/FakeShell.h"

#include <QTest>

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <utility>

namespace {

const QString kNoFile = QStringLiteral("No s'ha trobat l'arxiu especificat");
const QString kNoPath = QStringLiteral("No s'ha trobat la via especificada");
const QString kDenied = QStringLiteral("El sistema operatiu denega l'accés a l'arxiu especificat");
const QString kNoHandler =
    QStringLiteral("No hi ha cap aplicació associada amb l'extensió de l'arxiu");

void writeFile(const QString &path, QFileDevice::Permissions permissions)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.close();
    QVERIFY(f.setPermissions(permissions));
}

QStringList readLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

Q_DECLARE_METATYPE(ShellOperation)

class ShellTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void failureReasons_data()
    {
        QTest::addColumn<QString>("file"); // relative to a folder holding doc.xyz, tool, tool.sh
        QTest::addColumn<ShellOperation>("operation");
        QTest::addColumn<QString>("reason");

        const std::pair<ShellOperation, QByteArray> operations[] = {
            {ShellOperation::OpenDocument, "document"},
            {ShellOperation::StartProgram, "program"},
            {ShellOperation::MoveToTrash, "trash"}};
        for (const auto &[op, name] : operations) {
            QTest::newRow(("missing file, " + name).constData())
                << QStringLiteral("absent.exe") << op << kNoFile;
            QTest::newRow(("missing folder, " + name).constData())
                << QStringLiteral("no/such/dir/absent.exe") << op << kNoPath;
        }
        QTest::newRow("program not executable")
            << QStringLiteral("tool") << ShellOperation::StartProgram << kDenied;
        // A program that may be run gives no reason of its own.
        QTest::newRow("program executable")
            << QStringLiteral("tool.sh") << ShellOperation::StartProgram << QString();
        QTest::newRow("document without handler")
            << QStringLiteral("doc.xyz") << ShellOperation::OpenDocument << kNoHandler;
        QTest::newRow("trash refuses a present file")
            << QStringLiteral("doc.xyz") << ShellOperation::MoveToTrash << kDenied;
    }

    // A program that may be run, started in a folder that is not there.
    void failureReasonOfAMissingWorkingFolder()
    {
        QTemporaryDir dir;
        const QString tool = dir.filePath(QStringLiteral("tool.sh"));
        writeFile(tool, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(shellFailureReason(tool, ShellOperation::StartProgram,
                                    dir.filePath(QStringLiteral("absent"))),
                 kNoPath);
        // The file's own reason comes first.
        QCOMPARE(shellFailureReason(dir.filePath(QStringLiteral("absent.exe")),
                                    ShellOperation::StartProgram,
                                    dir.filePath(QStringLiteral("absent"))),
                 kNoFile);
        QCOMPARE(shellFailureReason(tool, ShellOperation::StartProgram, dir.path()), QString());
    }

    // The seam's reason becomes the result code and the sentence the user reads.
    void shellOpenReportsFailures_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("seamReason");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QString file = QStringLiteral("/dades/carta.odt");
        QTest::newRow("missing file")
            << QStringLiteral("open") << kNoFile << 2
            << QStringLiteral("No es pot obrir l'arxiu /dades/carta.odt, ja que: No s'ha trobat "
                              "l'arxiu especificat");
        QTest::newRow("missing folder, Open in any case")
            << QStringLiteral("OpEn") << kNoPath << 3
            << QStringLiteral("No es pot obrir l'arxiu %1, ja que: %2").arg(file, kNoPath);
        QTest::newRow("denied")
            << QStringLiteral("Open") << kDenied << 5
            << QStringLiteral("No es pot obrir l'arxiu %1, ja que: %2").arg(file, kDenied);
        QTest::newRow("no application")
            << QStringLiteral("open") << kNoHandler << 31
            << QStringLiteral("No es pot obrir l'arxiu %1, ja que: %2").arg(file, kNoHandler);
        // A failure of no known kind has no reason of its own: the shell's words, if any.
        QTest::newRow("no reason")
            << QStringLiteral("open") << QString() << 1
            << QStringLiteral("No es pot obrir l'arxiu %1, ja que: ").arg(file);
        QTest::newRow("other words")
            << QStringLiteral("open") << QStringLiteral("El procés no ha arrencat") << 1
            << QStringLiteral("No es pot obrir l'arxiu %1, ja que: El procés no ha arrencat")
                   .arg(file);
    }

    void shellOpenReportsFailures()
    {
        QFETCH(QString, operation);
        QFETCH(QString, seamReason);
        QFETCH(int, code);
        QFETCH(QString, message);
        FakeShell shell;
        FakePrompter prompter;
        shell.results = {Fallible<void>::failure(seamReason)};
        QCOMPARE(ShellOpen(shell, prompter, operation, QStringLiteral("/dades/carta.odt"),
                           QString(), QString(), ShowMode::Normal),
                 code);
        QCOMPARE(prompter.texts(), QStringList{message});
        QCOMPARE(prompter.shown[0].kind, MsgKind::Error);
        QCOMPARE(shell.paths(FakeShell::Request::OpenDocument),
                 QStringList{QStringLiteral("/dades/carta.odt")});
    }

    void shellOpenSucceedsQuietly()
    {
        FakeShell shell;
        FakePrompter prompter;
        const int result =
            ShellOpen(shell, prompter, QStringLiteral("Open"), QStringLiteral("/dades/carta.odt"),
                      QString(), QString(), ShowMode::Normal);
        QVERIFY(shellSucceeded(result));
        QVERIFY(prompter.shown.empty());
    }

    // Only "open" is known here: any other operation keeps its own word and has no application.
    void otherOperationsKeepTheirWord()
    {
        FakeShell shell;
        FakePrompter prompter;
        QCOMPARE(ShellOpen(shell, prompter, QStringLiteral("print"), QStringLiteral("carta.odt"),
                           QString(), QString(), ShowMode::Normal),
                 31);
        QVERIFY(shell.calls.empty());
        QCOMPARE(prompter.texts(),
                 QStringList{QStringLiteral("No es pot print l'arxiu carta.odt, ja que: ") +
                             kNoHandler});
        QCOMPARE(shellOpenMessage(QStringLiteral("Explore"), QStringLiteral("a%1b"),
                                  QStringLiteral("%2")),
                 QStringLiteral("No es pot Explore l'arxiu a%1b, ja que: %2"));
        QCOMPARE(cannotOpenMessage(QStringLiteral("x.txt"), kNoFile),
                 QStringLiteral("No es pot obrir l'arxiu x.txt, ja que: ") + kNoFile);
    }

    void reasonsByCode()
    {
        QSet<QString> reasons;
        for (int code : {0, 2, 3, 5, 8, 11, 26, 27, 28, 29, 30, 31, 32}) {
            const QString reason = shellResultReason(code);
            QVERIFY2(!reason.isEmpty(), qPrintable(QString::number(code)));
            reasons.insert(reason);
        }
        QCOMPARE(reasons.size(), 13);
        QCOMPARE(shellResultReason(2), kNoFile);
        QCOMPARE(shellResultReason(31), kNoHandler);
        for (int code : {-1, 1, 4, 12, 25, 33, 42})
            QCOMPARE(shellResultReason(code), QString());
    }

    // Programs are started in their folder with their parameters as arguments; everything else
    // is opened as a document; a relative name is found in the folder given.
    void shellOpenStartsProgramsAndOpensDocuments()
    {
        QTemporaryDir dir;
        const auto rw = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        writeFile(dir.filePath(QStringLiteral("tool.exe")), rw);
        writeFile(dir.filePath(QStringLiteral("notes.txt")), rw | QFileDevice::ExeOwner);
        {
            QFile script(dir.filePath(QStringLiteral("run")));
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write("#!/bin/sh\nexit 0\n");
        }
        QVERIFY(
            QFile::setPermissions(dir.filePath(QStringLiteral("run")), rw | QFileDevice::ExeOwner));
        const QString sub = dir.filePath(QStringLiteral("sub"));
        QVERIFY(QDir().mkpath(sub));

        FakeShell shell;
        FakePrompter prompter;
        const auto open = [&](const QString &file, const QString &parameters,
                              const QString &folder) {
            return ShellOpen(shell, prompter, QStringLiteral("open"), file, parameters, folder,
                             ShowMode::Normal);
        };
        QVERIFY(shellSucceeded(
            open(QStringLiteral("tool.exe"), QStringLiteral("-a \"dos mots\""), dir.path())));
        QVERIFY(shellSucceeded(open(dir.filePath(QStringLiteral("run")), QString(), sub)));
        QVERIFY(shellSucceeded(open(dir.filePath(QStringLiteral("run")), QString(), QString())));
        // Executable permission alone does not make a text a program.
        QVERIFY(shellSucceeded(open(QStringLiteral("notes.txt"), QString(), dir.path())));
        QVERIFY(prompter.shown.empty());

        QCOMPARE(int(shell.calls.size()), 4);
        QCOMPARE(shell.calls[0].request, FakeShell::Request::StartProgram);
        QCOMPARE(shell.calls[0].path, dir.filePath(QStringLiteral("tool.exe")));
        QCOMPARE(shell.calls[0].arguments,
                 (QStringList{QStringLiteral("-a"), QStringLiteral("dos mots")}));
        QCOMPARE(shell.calls[0].folder, dir.path());
        QCOMPARE(shell.calls[1].request, FakeShell::Request::StartProgram);
        QCOMPARE(shell.calls[1].folder, sub);
        QCOMPARE(shell.calls[2].folder, dir.path()); // its own folder when none is given
        QCOMPARE(shell.calls[3].request, FakeShell::Request::OpenDocument);
        QCOMPARE(shell.calls[3].path, dir.filePath(QStringLiteral("notes.txt")));

        // A program that may not be run is refused by the shell: "denied", code 5.
        shell.calls.clear();
        shell.results = {Fallible<void>::failure(shellFailureReason(
            dir.filePath(QStringLiteral("tool.exe")), ShellOperation::StartProgram, dir.path()))};
        QCOMPARE(open(QStringLiteral("tool.exe"), QString(), dir.path()), 5);
        QCOMPARE(shell.calls[0].request, FakeShell::Request::StartProgram);
        QCOMPARE(
            prompter.texts(),
            QStringList{QStringLiteral("No es pot obrir l'arxiu tool.exe, ja que: ") + kDenied});
    }

    void failureReasons()
    {
        QFETCH(QString, file);
        QFETCH(ShellOperation, operation);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const auto rw = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        writeFile(dir.filePath(QStringLiteral("doc.xyz")), rw);
        writeFile(dir.filePath(QStringLiteral("tool")), rw);
        writeFile(dir.filePath(QStringLiteral("tool.sh")), rw | QFileDevice::ExeOwner);
        QCOMPARE(shellFailureReason(dir.filePath(file), operation), reason);
    }

    // The stand-in for Notepad: the first desktop text editor that can be run, in the order of
    // preference; none gives "".
    void textEditorProgram()
    {
        QTemporaryDir dir;
        const QString mousepad = dir.filePath(QStringLiteral("mousepad"));
        QVERIFY(findTextEditorProgram({dir.path()}).isEmpty());
        writeFile(dir.filePath(QStringLiteral("kate")),
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QVERIFY(findTextEditorProgram({dir.path()}).isEmpty());
        writeFile(mousepad,
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(findTextEditorProgram({dir.path()}), mousepad);
        const QString gedit = dir.filePath(QStringLiteral("gedit"));
        writeFile(gedit, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QCOMPARE(findTextEditorProgram({dir.path()}), gedit);
    }

    void shortcutNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("launcher"); // empty when the name is refused
        QTest::newRow("lower case")
            << QStringLiteral("Pelvar.lnk") << QStringLiteral("Pelvar.desktop");
        QTest::newRow("upper case")
            << QStringLiteral("Pelvar.LNK") << QStringLiteral("Pelvar.desktop");
        QTest::newRow("mixed case, dots in the name")
            << QStringLiteral("Pelvar 2.0.LnK") << QStringLiteral("Pelvar 2.0.desktop");
        QTest::newRow("launcher extension") << QStringLiteral("Pelvar.desktop") << QString();
        QTest::newRow("lnk not last") << QStringLiteral("Pelvar.lnk.txt") << QString();
        QTest::newRow("no dot") << QStringLiteral("Pelvarlnk") << QString();
        QTest::newRow("no extension") << QStringLiteral("Pelvar") << QString();
    }

    void shortcutNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, launcher);
        QTemporaryDir dir;
        const Fallible<QString> made =
            CreateShortcut(QStringLiteral("/usr/bin/true"), {}, QString(), dir.filePath(name));
        if (launcher.isEmpty()) {
            QVERIFY(!made.ok());
            QCOMPARE(made.error(),
                     QStringLiteral("Error: l'extensió de la drecera ha de ser .LNK"));
            QVERIFY(QDir(dir.path()).isEmpty()); // nothing written
            return;
        }
        QVERIFY2(made.ok(), qPrintable(made.error()));
        QCOMPARE(made.value(), dir.filePath(launcher));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{launcher});
    }

    // The launcher runs the target with its arguments exactly, whatever characters they hold,
    // in the target's folder.
    void shortcutContents()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("Els meus programes"));
        QVERIFY(QDir().mkpath(folder));
        const QString target = folder + QStringLiteral("/pro$g\"ram%u");
        const Fallible<QString> made = CreateShortcut(
            target, {QStringLiteral("a b"), QStringLiteral("c\\d")},
            QStringLiteral("Línia 1\nLínia 2"), dir.filePath(QStringLiteral("Drecera.lnk")));
        QVERIFY2(made.ok(), qPrintable(made.error()));
        const QStringList lines = readLines(made.value());
        QCOMPARE(lines.value(0), QStringLiteral("[Desktop Entry]"));
        QVERIFY(lines.contains(QStringLiteral("Type=Application")));
        QVERIFY(lines.contains(QStringLiteral("Name=Drecera")));
        QVERIFY(lines.contains(QStringLiteral("Comment=Línia 1\\nLínia 2")));
        QVERIFY(lines.contains(QStringLiteral("Path=") + folder));
        // Quoted once for the command line (\$ \" %%), then backslashes doubled for the file.
        const QString exec = QStringLiteral("Exec=\"") + folder +
                             QStringLiteral("/pro\\\\$g\\\\\"ram%%u\" \"a b\" \"c\\\\\\\\d\"");
        QVERIFY2(lines.contains(exec), qPrintable(lines.join(QLatin1Char('\n'))));
        QVERIFY(QFile::permissions(made.value()) & QFileDevice::ExeOwner);

        // No description, no Comment line; a folder that is not there is a failure.
        const Fallible<QString> plain = CreateShortcut(
            QStringLiteral("/usr/bin/true"), {}, QString(), dir.filePath(QStringLiteral("P.lnk")));
        QVERIFY(plain.ok());
        QVERIFY(
            !readLines(plain.value()).join(QLatin1Char('\n')).contains(QStringLiteral("Comment")));
        const QString nowhere = dir.filePath(QStringLiteral("no/such/P.lnk"));
        QCOMPARE(CreateShortcut(QStringLiteral("/usr/bin/true"), {}, QString(), nowhere).error(),
                 QStringLiteral("S'ha produït un error en crear\r\n%1")
                     .arg(dir.filePath(QStringLiteral("no/such/P.desktop"))));
    }

    // The folders come from the user's home (here a temporary one) and are made when missing.
    void specialFolders()
    {
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
        QStandardPaths::setTestModeEnabled(true);
        const auto restore = qScopeGuard([&] {
            QStandardPaths::setTestModeEnabled(false);
            qputenv("HOME", oldHome);
        });

        for (SpecialFolder folder :
             {SpecialFolder::Programs, SpecialFolder::StartMenu, SpecialFolder::DesktopDirectory}) {
            const Fallible<QString> path = SpecialFolderPath(folder);
            QVERIFY2(path.ok(), qPrintable(path.error()));
            QVERIFY(path.value().startsWith(home.path()));
            QVERIFY(path.value().endsWith(QDir::separator()));
            QVERIFY(QFileInfo(path.value()).isDir());
        }
        QCOMPARE(SpecialFolderPath(SpecialFolder::Programs).value(),
                 SpecialFolderPath(SpecialFolder::StartMenu).value());

        // A home that is a file cannot hold the folders.
        const QString file = home.filePath(QStringLiteral("not-a-folder"));
        writeFile(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        qputenv("HOME", QFile::encodeName(file));
        const Fallible<QString> desktop = SpecialFolderPath(SpecialFolder::DesktopDirectory);
        QVERIFY(!desktop.ok());
        QVERIFY(desktop.error().startsWith(QStringLiteral("No s'ha trobat el directori '") + file));
    }
};

QTEST_GUILESS_MAIN(ShellTest)
#include "ShellTest.moc"
