// The installed program: the build's install rules staged into a temporary folder, the layout
// checked for what the program looks for, and the staged program run to see that it finds its
// help, its plug-ins and a configuration folder it may write.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

struct Run
{
    int code = -1;
    QString out, err;
};

Run run(const QString &program, const QStringList &args, const QProcessEnvironment &env,
        const QString &workingDir = QString())
{
    QProcess p;
    p.setProcessEnvironment(env);
    if (!workingDir.isEmpty())
        p.setWorkingDirectory(workingDir);
    p.start(program, args);
    Run r;
    if (!p.waitForFinished(120000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// The environment of a run of the staged program: its configuration goes by the desktop's rules
// (no PELVAR_CONFIG_DIR) into `configHome`. Under AddressSanitizer the libraries the plug-ins and
// the help engine load keep blocks until exit; the whole-program tests' suppressions name them.
QProcessEnvironment stagedEnv(const QString &configHome)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("PELVAR_CONFIG_DIR"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    env.insert(QStringLiteral("HOME"), configHome);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("AUDPLUG_PCM"), QStringLiteral("null"));
    if (env.contains(QStringLiteral("ASAN_OPTIONS")))
        env.insert(QStringLiteral("LSAN_OPTIONS"),
                   QStringLiteral("suppressions=%1/tests/app/system-libraries.lsan.supp")
                       .arg(QStringLiteral(PELVAR_SOURCE_DIR)));
    return env;
}

// The value of the `--version` line that starts with `label`.
QString versionLine(const QString &out, const QString &label)
{
    const QStringList lines = out.split(QLatin1Char('\n'));
    for (const QString &line : lines)
        if (line.startsWith(label))
            return line.mid(label.size());
    return QString();
}

QStringList pluginLines(const QString &out)
{
    QStringList found;
    const QStringList lines = out.split(QLatin1Char('\n'));
    for (const QString &line : lines)
        if (line.startsWith(QStringLiteral("Connector d'àudio: ")))
            found.append(line);
    return found;
}

} // namespace

class InstallTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_stage; // the DESTDIR
    QString m_usr;   // the prefix inside it

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // An unprivileged user runs programs from here below.
        QFile::setPermissions(m_dir.path(), QFile::permissions(m_dir.path()) |
                                                QFileDevice::ExeGroup | QFileDevice::ExeOther |
                                                QFileDevice::ReadOther | QFileDevice::ReadGroup);
        m_stage = m_dir.filePath(QStringLiteral("stage"));
        m_usr = m_stage + QStringLiteral("/usr");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DESTDIR"), m_stage);
        const Run r = run(QStringLiteral(PELVAR_CMAKE_COMMAND),
                          {QStringLiteral("--install"), QStringLiteral(PELVAR_BINARY_DIR),
                           QStringLiteral("--prefix"), QStringLiteral("/usr")},
                          env);
        QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
    }

    void layoutHoldsWhatTheProgramLooksFor()
    {
        // The program with its plug-ins in a folder of their own, linked from the search path.
        const QFileInfo link(m_usr + QStringLiteral("/bin/pelvar"));
        QVERIFY(link.isSymLink());
        QCOMPARE(link.symLinkTarget(), m_usr + QStringLiteral("/lib/pelvar/pelvar"));
        QVERIFY(QFileInfo(m_usr + QStringLiteral("/lib/pelvar/pelvar")).isExecutable());
        for (const char *plugin : {"audplug.apq", "ffplug.apq"})
            QVERIFY2(
                QFileInfo::exists(m_usr + QStringLiteral("/lib/pelvar/") + QLatin1String(plugin)),
                plugin);
        // The data, and the desktop's view of the program.
        const char *files[] = {
            "share/pelvar/help/pelvar.qhc",
            "share/pelvar/help/pelvar.qch",
            "share/pelvar/icons/pelvar.svg",
            "share/pelvar/icons/pelvar-sal.svg",
            "share/pelvar/icons/pelvar-sml.svg",
            "share/pelvar/icons/pelvar-wml.svg",
            "share/applications/pelvar.desktop",
            "share/mime/packages/pelvar.xml",
            "share/metainfo/io.github.pelvar.Pelvar.metainfo.xml",
            "share/icons/hicolor/scalable/apps/pelvar.svg",
            "share/icons/hicolor/scalable/mimetypes/application-x-pelvar-sal.svg",
            "share/icons/hicolor/scalable/mimetypes/application-x-pelvar-sml.svg",
            "share/icons/hicolor/scalable/mimetypes/application-x-pelvar-wml.svg"};
        for (const char *file : files)
            QVERIFY2(QFileInfo(m_usr + QLatin1Char('/') + QLatin1String(file)).isFile(), file);
        // Every example the source tree holds, in its folders.
        const QString samples = QStringLiteral(PELVAR_SOURCE_DIR "/samples");
        QDirIterator it(samples, QDir::Files, QDirIterator::Subdirectories);
        int count = 0;
        while (it.hasNext()) {
            const QString relative = QDir(samples).relativeFilePath(it.next());
            QVERIFY2(
                QFileInfo(m_usr + QStringLiteral("/share/pelvar/samples/") + relative).isFile(),
                qPrintable(relative));
            ++count;
        }
        QVERIFY(count > 0);
        // The entry and the types the per-user registration writes are the installed ones.
        QFile entry(m_usr + QStringLiteral("/share/applications/pelvar.desktop"));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QByteArray text = entry.readAll();
        QVERIFY(text.contains("\nExec=pelvar %f\n"));
        QVERIFY(text.contains("\nMimeType=application/x-pelvar-sal;application/"
                              "x-pelvar-sml;application/x-pelvar-wml;"));
        // Software centres show the newest release the metainfo names: it is this version.
        QFile meta(m_usr + QStringLiteral("/share/metainfo/io.github.pelvar.Pelvar.metainfo.xml"));
        QVERIFY(meta.open(QIODevice::ReadOnly));
        QVERIFY(meta.readAll().contains("<release version=\"" PELVAR_VERSION "\""));
    }

    void stagedProgramFindsItsFiles()
    {
        QTemporaryDir config;
        const Run r = run(m_usr + QStringLiteral("/bin/pelvar"), {QStringLiteral("--version")},
                          stagedEnv(config.path()));
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(r.out.startsWith(QStringLiteral("Pelvar ")));
        QCOMPARE(versionLine(r.out, QStringLiteral("Ajuda: ")),
                 m_usr + QStringLiteral("/share/pelvar/help/pelvar.qhc"));
        const QStringList plugins = pluginLines(r.out);
        QCOMPARE(plugins.size(), 2);
        for (const QString &line : plugins)
            QVERIFY2(line.contains(m_usr + QStringLiteral("/lib/pelvar/")), qPrintable(line));
        // Installed, the settings go to the user's folder even for a user who could write the
        // program's (root): nothing of a user's lands among the installed files.
        QCOMPARE(versionLine(r.out, QStringLiteral("Configuració: ")),
                 config.path() + QStringLiteral("/pelvar/pelvar.ini"));

        // A presentation of the installed examples is read and checked from their folder.
        const QString samples = m_usr + QStringLiteral("/share/pelvar/samples");
        const Run check = run(m_usr + QStringLiteral("/bin/pelvar"),
                              {QStringLiteral("--check"), QStringLiteral("Mostra.sal")},
                              stagedEnv(config.path()), samples);
        QVERIFY2(check.code == 0, qPrintable(check.out + check.err));
        QStringList written = QDir(m_usr + QStringLiteral("/lib/pelvar")).entryList(QDir::Files);
        written.sort();
        QCOMPARE(written, (QStringList{QStringLiteral("audplug.apq"), QStringLiteral("ffplug.apq"),
                                       QStringLiteral("pelvar")}));
    }

    void programFolderTheUserCannotWrite()
    {
        // A copy of the program in a folder of its own, not an installation: its settings stay
        // beside it while the user can write there, and go to the user's folder when not.
        const QString folder = m_dir.filePath(QStringLiteral("portable"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::copy(m_usr + QStringLiteral("/lib/pelvar/pelvar"),
                            folder + QStringLiteral("/pelvar")));
        QTemporaryDir config;
        QFile::setPermissions(config.path(), QFileDevice::Permissions(0x7777));
        const QString program = folder + QStringLiteral("/pelvar");

        Run r = run(program, {QStringLiteral("--version")}, stagedEnv(config.path()));
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(versionLine(r.out, QStringLiteral("Configuració: ")),
                 folder + QStringLiteral("/pelvar.ini"));

        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther));
        // Root writes anywhere: the run is an unprivileged user's then.
        QString runner = program;
        QStringList args{QStringLiteral("--version")};
        if (::geteuid() == 0) {
            runner = QStringLiteral("setpriv");
            args = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                               QStringLiteral("--clear-groups"), program} +
                   args;
        }
        r = run(runner, args, stagedEnv(config.path()));
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(versionLine(r.out, QStringLiteral("Configuració: ")),
                 config.path() + QStringLiteral("/pelvar/pelvar.ini"));
        QVERIFY(QFileInfo(config.path() + QStringLiteral("/pelvar")).isDir());
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "InstallTest.moc"
