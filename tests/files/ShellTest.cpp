#include "files/Shell.h"
#include "files/Shortcut.h"

#include <QTest>

#include <QDir>
#include <QFile>
#include <QScopeGuard>
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
