// Where the program finds its data and where it keeps its settings, for the layouts it runs
// from: installed (lib/pelvar beside share/pelvar), the build tree (bin/ beside share/pelvar) and
// a folder of its own; and the per-user file-type registration, which writes the files an
// installation ships.

#include "config/FileTypeRegistration.h"
#include "config/THlpIniFLoadSave.h"
#include "files/ProgramLayout.h"
#include "support/FakePrompter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class ProgramInstallationTest : public QObject
{
    Q_OBJECT

    // The user's configuration folder is one of the test's own.
    QTemporaryDir m_configHome;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_configHome.isValid());
        qputenv("XDG_CONFIG_HOME", m_configHome.path().toUtf8());
        qunsetenv("PELVAR_CONFIG_DIR");
    }

    void dataIsLookedForInstalledFirstThenInTheBuildTree()
    {
        QTemporaryDir root;
        // <root>/usr/lib/pelvar is where an installation puts the program; its data folder is
        // <root>/usr/share/pelvar, and the build tree's place from there is <root>/usr/lib/share.
        const QString program = root.filePath(QStringLiteral("usr/lib/pelvar"));
        QDir().mkpath(program);
        const QString installedHelp =
            root.filePath(QStringLiteral("usr/share/pelvar/help/pelvar.qhc"));
        const QString builtHelp =
            root.filePath(QStringLiteral("usr/lib/share/pelvar/help/pelvar.qhc"));

        // Nothing there: the installed place is named, for the message.
        QCOMPARE(ProgramLayout(program).helpCollection(), installedHelp);
        QVERIFY(!ProgramLayout(program).installed());
        // The build tree's data alone is found, and is no installation.
        touch(builtHelp);
        QCOMPARE(ProgramLayout(program).helpCollection(), builtHelp);
        QVERIFY(!ProgramLayout(program).installed());
        // Once both are there, the installed one.
        touch(installedHelp);
        QCOMPARE(ProgramLayout(program).helpCollection(), installedHelp);
        QVERIFY(ProgramLayout(program).installed());
        // Each file on its own: the icons only where they are.
        touch(root.filePath(QStringLiteral("usr/lib/share/pelvar/icons/pelvar.svg")));
        QCOMPARE(ProgramLayout(program).iconsDir(),
                 root.filePath(QStringLiteral("usr/lib/share/pelvar/icons")));
    }

    void settingsFolderFollowsTheLayout()
    {
        QTemporaryDir root;
        const QString userFolder = m_configHome.path() + QStringLiteral("/pelvar/");

        // A program in a folder of its own (the build tree, a copied folder) keeps its settings
        // beside it, named after it.
        const QString own = root.filePath(QStringLiteral("programs/bin/pelvar"));
        touch(own);
        const THlpIniFLoadSave beside(own);
        QCOMPARE(beside.ConfigDir,
                 QDir::toNativeSeparators(QFileInfo(own).absolutePath()) + QDir::separator());
        QCOMPARE(beside.ProgramIniPath, beside.ConfigDir + QStringLiteral("pelvar.ini"));

        // Installed, the settings go to the user's folder, whoever may write the program's
        // (root can): the installation's files are the package's alone.
        const QString installed = root.filePath(QStringLiteral("usr/lib/pelvar/pelvar"));
        touch(installed);
        QDir().mkpath(root.filePath(QStringLiteral("usr/share/pelvar")));
        const THlpIniFLoadSave system(installed);
        QCOMPARE(system.ProgramDir,
                 QDir::toNativeSeparators(root.filePath(QStringLiteral("usr/lib/pelvar"))) +
                     QDir::separator());
        QCOMPARE(system.ConfigDir, QDir::toNativeSeparators(userFolder));
        QVERIFY(QFileInfo(userFolder).isDir());
        QCOMPARE(system.ProgramIniPath, system.ConfigDir + QStringLiteral("pelvar.ini"));
        QCOMPARE(system.individualIniPath(QStringLiteral("Maria")),
                 system.ConfigDir + QStringLiteral("PVR_Maria.ini"));

        // Started through a link on the search path, the program is still the installed one.
        const QString link = root.filePath(QStringLiteral("usr/bin/pelvar"));
        QDir().mkpath(QFileInfo(link).absolutePath());
        QVERIFY(QFile::link(QStringLiteral("../lib/pelvar/pelvar"), link));
        QCOMPARE(THlpIniFLoadSave(link).ConfigDir, system.ConfigDir);

        // PELVAR_CONFIG_DIR chooses for every layout.
        const QString chosen = root.filePath(QStringLiteral("chosen"));
        qputenv("PELVAR_CONFIG_DIR", chosen.toUtf8());
        const THlpIniFLoadSave overridden(installed);
        qunsetenv("PELVAR_CONFIG_DIR");
        QCOMPARE(overridden.ConfigDir, QDir::toNativeSeparators(chosen) + QDir::separator());
        QVERIFY(QFileInfo(chosen).isDir());
    }

    void registrationWritesTheInstalledFiles()
    {
        QTemporaryDir data;
        FileTypeRegistration reg;
        reg.dataDir = data.path();
        reg.programPath = QStringLiteral("/opt/pelvar/pelvar");
        reg.iconsDir = QStringLiteral(PELVAR_SOURCE_DIR "/icons");
        FakePrompter p;
        QVERIFY(reg.RegisterFileTypes(p));
        QVERIFY(p.shown.empty());
        // The MIME package is the installed one, byte for byte.
        QCOMPARE(readAll(reg.mimePackagePath()),
                 readAll(QStringLiteral(PELVAR_SOURCE_DIR "/data/pelvar.xml")));
        // The entry too, but for the program, named by its path.
        QByteArray installed = readAll(QStringLiteral(PELVAR_SOURCE_DIR "/data/pelvar.desktop"));
        installed.replace("\nTryExec=pelvar\n", "\nTryExec=/opt/pelvar/pelvar\n");
        installed.replace("\nExec=pelvar %f\n", "\nExec=\"/opt/pelvar/pelvar\" %f\n");
        QCOMPARE(readAll(reg.desktopEntryPath()), installed);
    }

    void execLineQuotesThePath()
    {
        // Blanks and the characters the quoting reserves stay part of one argument; a '%' is no
        // field code; backslashes are escaped for the quoting and again for the file.
        QCOMPARE(FileTypeRegistration::desktopExecArgument(
                     QStringLiteral("/home/Maria/Els meus programes/pelvar")),
                 QStringLiteral("\"/home/Maria/Els meus programes/pelvar\""));
        QCOMPARE(FileTypeRegistration::desktopExecArgument(QStringLiteral("/a\"b$c`d\\e/100%/p")),
                 QStringLiteral("\"/a\\\\\"b\\\\$c\\\\`d\\\\\\\\e/100%%/p\""));
        const QString entry = FileTypeRegistration::desktopEntry(QStringLiteral("/x y/pelvar"));
        QVERIFY(entry.contains(QStringLiteral("\nExec=\"/x y/pelvar\" %f\n")));
        QVERIFY(entry.contains(QStringLiteral("\nTryExec=/x y/pelvar\n")));
    }
};

QTEST_GUILESS_MAIN(ProgramInstallationTest)
#include "ProgramInstallationTest.moc"
