#include "files/FolderTreeTexts.h"

#include <QLocale>

bool hasInvalidFolderNameChar(const QString &name)
{
    static const QString invalid = QStringLiteral("\\*?/=\"<>|:,;+^");
    for (const QChar c : name)
        if (invalid.contains(c) || c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    return false;
}

Fallible<void> checkNewFolderName(const QString &name)
{
    if (name.isEmpty() || hasInvalidFolderNameChar(name))
        return Fallible<void>::failure(
            QStringLiteral("El nom de carpeta conté caràcters invàlids"));
    return Fallible<void>::success();
}

Fallible<void> checkRenameFolderName(const QString &name)
{
    if (name.isEmpty())
        return Fallible<void>::failure(QString());
    // "." and ".." name the folder itself and its parent: a rename to them can only go wrong.
    if (hasInvalidFolderNameChar(name) || name == QStringLiteral(".") ||
        name == QStringLiteral(".."))
        return Fallible<void>::failure(QStringLiteral("Nom de directori invàlid\r%1").arg(name));
    return Fallible<void>::success();
}

QString renameFolderQuestion(const QString &oldName, const QString &newName)
{
    return QStringLiteral("Voleu renomenar la carpeta seleccionada\r\r    De  : %1\r    A   : %2")
        .arg(oldName, newName);
}

QString folderNotFoundMessage(const QString &path)
{
    return QStringLiteral("%1\r                no trobat").arg(path);
}

QString deleteFolderQuestion(const QString &path)
{
    return QStringLiteral("Voleu enviar la carpeta\r%1\ra la paperera?").arg(path);
}

qint64 treeSizeKb(qint64 bytes)
{
    if (bytes > 0 && bytes < 1024)
        return 1;
    return bytes / 1024;
}

QString treeSizeText(qint64 bytes)
{
    // The messages are Catalan, so their numbers are too: "1.234,00".
    QLocale catalan(QLocale::Catalan, QLocale::Spain);
    catalan.setNumberOptions(QLocale::DefaultNumberOptions);
    const qint64 kb = treeSizeKb(bytes);
    if (kb > 99999)
        return catalan.toString(double(kb) / 1024.0, 'f', 2) + QStringLiteral(" Mb");
    return catalan.toString(double(kb), 'f', 2) + QStringLiteral(" Kb");
}

QString treeSizeMessage(bool isVolume, const QString &path, qint64 bytes)
{
    QString what;
    if (isVolume) {
        what = QStringLiteral("Dispositiu ") + path;
    } else {
        const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
        what = QStringLiteral("Carpeta \"%1\"").arg(cut >= 0 ? path.mid(cut + 1) : path);
    }
    return QStringLiteral("=== MIDA DE L'ARBRE ===\r\r%1\ri per totes les seves subcarpetes  =  %2")
        .arg(what, treeSizeText(bytes));
}

PanelPathTexts panelPathTexts(const QString &path)
{
    PanelPathTexts out;
    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
    // The root, the volume list and a bare name have nothing left over for the label.
    if (cut < 0 || path == QStringLiteral("/")) {
        out.edit = path;
        return out;
    }
    out.edit = path.mid(cut + 1);
    out.hint = cut == 0 ? QStringLiteral("/") : path.left(cut);
    // A path starts at its root separator: the label does not start with a space.
    QString label = out.hint;
    label.replace(QLatin1Char('/'), QStringLiteral(" / "));
    if (label.startsWith(QLatin1Char(' ')))
        label.remove(0, 1);
    if (label.endsWith(QStringLiteral("/ ")))
        label.chop(1); // the root alone: "/"
    out.label = label + QLatin1Char(' ');
    return out;
}
