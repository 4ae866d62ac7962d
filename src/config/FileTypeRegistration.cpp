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
    const char *ext;
    const char *typeName;
    const char *description;
    const char *icon;
};

// Each type's picture is one of our SVG drawings, installed as an icon of the desktop's theme.
constexpr FileType kTypes[] = {{"sal", "SALFile", "Llistat de diapositives", "pelvar-sal.svg"},
                               {"sml", "SMLFile", "Imatges/sons i significats", "pelvar-sml.svg"},
                               {"wml", "WMLFile", "Paraules i significats", "pelvar-wml.svg"}};
constexpr const char *kProgramIcon = "pelvar.svg";

QString mimeType(const FileType &t)
{
    return QStringLiteral("application/x-pelvar-%1").arg(QLatin1String(t.ext));
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
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n");
    QStringList mimes;
    for (const FileType &t : kTypes) {
        xml +=
            QStringLiteral("  <mime-type type=\"%1\">\n    <comment xml:lang=\"ca\">%2</comment>\n"
                           "    <comment>%2</comment>\n    <icon name=\"%3\"/>\n"
                           "    <glob pattern=\"*.%4\"/>\n  </mime-type>\n")
                .arg(mimeType(t), L(t.description),
                     QStringLiteral("application-x-pelvar-%1").arg(L(t.ext)), L(t.ext));
        mimes.append(mimeType(t));
    }
    xml += QStringLiteral("</mime-info>\n");
    if (!writeText(mimePackagePath(), xml, prompter))
        return false;

    const QString entry =
        QStringLiteral("[Desktop Entry]\nType=Application\nName=Pelvar\n"
                       "Comment=Seqüenciador de diapositives\nExec=\"%1\" %f\nIcon=pelvar\n"
                       "Terminal=false\n"
                       "Categories=Education;Presentation;\nMimeType=%2;\n")
            .arg(programPath, mimes.join(QLatin1Char(';')));
    if (!writeText(desktopEntryPath(), entry, prompter))
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
