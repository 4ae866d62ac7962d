#include "config/FileTypeRegistration.h"

#include "files/AtomicFileWriter.h"
#include "files/Prompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

struct FileType
{
    const char *typeName;
    const char *icon;
};

// Each type's picture is one of our SVG drawings, installed as an icon of the desktop's theme.
// The types themselves (descriptions, patterns) are described by the MIME package that the
// program's installation also ships.
constexpr FileType kTypes[] = {
    {"SALFile", "pelvar-sal.svg"}, {"SMLFile", "pelvar-sml.svg"}, {"WMLFile", "pelvar-wml.svg"}};
constexpr const char *kProgramIcon = "pelvar.svg";

// The desktop entry and the MIME package the installation puts in the system's folders, built
// into the program from data/.
QByteArray packagedFile(const char *name)
{
    QFile f(QStringLiteral(":/pelvar/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A desktop entry's string value: a backslash is written twice.
QString desktopEntryString(const QString &text)
{
    QString out = text;
    return out.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
}

QString L(const char *s)
{
    return QString::fromUtf8(s);
}

void runUpdateTool(const QString &tool, const QStringList &args, QStringList &ran)
{
    const QString exe = QStandardPaths::findExecutable(tool);
    if (exe.isEmpty())
        return;
    QProcess p;
    p.start(exe, args);
    p.waitForFinished(15000);
    ran.append(tool);
}

bool writeText(const QString &path, const QString &text, Prompter &prompter)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (writeFileAtomically(path, text.toUtf8()).ok)
        return true;
    prompter.ShowError(
        QStringLiteral("No s'ha pogut crear la clau %1, aquest usuari no te els drets "
                       "necessaris per enregistrar claus a HKEY_CLASSES_ROOT.")
            .arg(path));
    return false;
}

} // namespace

QString FileTypeRegistration::desktopExecArgument(const QString &path)
{
    // Quoted, with the characters the quoting reserves escaped; then as any string value of the
    // file (its backslashes doubled), and a '%' written twice so that it is not a field code.
    QString quoted;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return desktopEntryString(QLatin1Char('"') + quoted + QLatin1Char('"'))
        .replace(QLatin1Char('%'), QStringLiteral("%%"));
}

QString FileTypeRegistration::mimePackagePath() const
{
    return dataDir + QStringLiteral("/mime/packages/pelvar.xml");
}

QString FileTypeRegistration::desktopEntryPath() const
{
    return dataDir + QStringLiteral("/applications/pelvar.desktop");
}

QString FileTypeRegistration::iconPath(const QString &typeName) const
{
    return dataDir + QStringLiteral("/icons/hicolor/scalable/mimetypes/application-x-pelvar-%1.svg")
                         .arg(typeName.left(3).toLower());
}

QString FileTypeRegistration::programIconPath() const
{
    return dataDir + QStringLiteral("/icons/hicolor/scalable/apps/pelvar.svg");
}

bool FileTypeRegistration::installIcon(const QString &fileName, const QString &target,
                                       Prompter &prompter) const
{
    const QString source = QDir(iconsDir).filePath(fileName);
    if (!QFileInfo(source).isFile()) {
        prompter.ShowError(QStringLiteral("No s'ha trobat l'arxiu '%1'").arg(source));
        return false;
    }
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile in(source);
    return in.open(QIODevice::ReadOnly) && writeFileAtomically(target, in.readAll()).ok;
}

bool FileTypeRegistration::RegisterFileTypes(Prompter &prompter)
{
    if (!writeText(mimePackagePath(), QString::fromUtf8(packagedFile("pelvar.xml")), prompter))
        return false;
    if (!writeText(desktopEntryPath(), desktopEntry(programPath), prompter))
        return false;

    bool all = installIcon(QLatin1String(kProgramIcon), programIconPath(), prompter);
    for (const FileType &t : kTypes)
        all = installIcon(L(t.icon), iconPath(L(t.typeName)), prompter) && all;
    runUpdateTool(QStringLiteral("update-mime-database"), {dataDir + QStringLiteral("/mime")},
                  updateToolsRun);
    runUpdateTool(QStringLiteral("update-desktop-database"),
                  {dataDir + QStringLiteral("/applications")}, updateToolsRun);
    runUpdateTool(QStringLiteral("gtk-update-icon-cache"),
                  {QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("-f"),
                   dataDir + QStringLiteral("/icons/hicolor")},
                  updateToolsRun);
    return all;
}

QString FileTypeRegistration::desktopEntry(const QString &programPath)
{
    // The packaged entry names the program on the search path; this one names it by its path.
    QStringList lines = QString::fromUtf8(packagedFile("pelvar.desktop")).split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.startsWith(QLatin1String("TryExec=")))
            line = QStringLiteral("TryExec=") + desktopEntryString(programPath);
        else if (line.startsWith(QLatin1String("Exec=")))
            line =
                QStringLiteral("Exec=") + desktopExecArgument(programPath) + QStringLiteral(" %f");
    }
    return lines.join(QLatin1Char('\n'));
}

bool FileTypeRegistration::UnregisterFileTypes(Prompter &prompter)
{
    bool ok = true;
    for (const FileType &t : kTypes) {
        const QString icon = iconPath(L(t.typeName));
        if (QFile::exists(icon) && !QFile::remove(icon))
            ok = false;
    }
    for (const QString &path : {mimePackagePath(), desktopEntryPath(), programIconPath()})
        if (QFile::exists(path) && !QFile::remove(path))
            ok = false;
    runUpdateTool(QStringLiteral("update-mime-database"), {dataDir + QStringLiteral("/mime")},
                  updateToolsRun);
    runUpdateTool(QStringLiteral("update-desktop-database"),
                  {dataDir + QStringLiteral("/applications")}, updateToolsRun);
    if (!ok)
        prompter.ShowError(QStringLiteral("Ho sento, no funciona correctament"));
    return ok;
}
