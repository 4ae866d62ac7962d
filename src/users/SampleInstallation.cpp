#include "users/SampleInstallation.h"

#include "files/AtomicFileWriter.h"
#include "files/FileNames.h"
#include "files/TextCodec.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr SampleFileKind kList = SampleFileKind::SlideList;
constexpr SampleFileKind kTable = SampleFileKind::SoundTable;

const SampleFile kSampleFiles[] = {
    {u"Àudio/Ocells/Ocells1", u".sal", kList},
    {u"Àudio/Ocells/Ocells2", u".sal", kList},
    {u"Àudio/Ocells/Ocells3", u".sal", kList},
    {u"Àudio/Ocells/Ocells1", u".sml", kTable},
    {u"Àudio/Ocells/Ocells2", u".sml", kTable},
    {u"Àudio/Ocells/Ocells3", u".sml", kTable},
    {u"Àudio/Presentació/MúsicaHtm", u".sal", kList},
    {u"Àudio/Presentació/MúsicaRtf", u".sal", kList},
    {u"Marques d'imatge/Esquelet1", u".sal", kList},
    {u"Marques d'imatge/Esquelet1", u".sml", kTable},
    {u"Marques d'imatge/Esquelet2", u".sal", kList},
    {u"Marques d'imatge/Esquelet2", u".sml", kTable},
    {u"Presentacions/Amb imatges/Arquitectura1", u".sal", kList},
    {u"Presentacions/Amb imatges/Arquitectura2", u".sal", kList},
    {u"Presentacions/Conte lineal/Fada", u".sal", kList},
    {u"Presentacions/Endevinalles/Endevina 1", u".sal", kList},
    {u"Comprensió lectora/El pacte", u".sal", kList},
    {u"Exàmens/Capitals", u".sal", kList},
    {u"Mem. associativa imatges/Banderes1", u".sal", kList},
    {u"Mem. associativa imatges/Banderes1", u".sml", kTable},
    {u"Mem. associativa imatges/Banderes2", u".sal", kList},
    {u"Mem. seqüencial/Símbols/Símbols", u".sal", kList},
    {u"Vídeo/Pres vídeo", u".sal", kList},
};

QString notFound(const QString &path)
{
    return QStringLiteral("No s'ha trobat l'arxiu '%1'").arg(QDir::toNativeSeparators(path));
}

QString cannotCreate(const QString &path)
{
    return QStringLiteral("No es pot crear el fitxer %1").arg(QDir::toNativeSeparators(path));
}

QString moved(const QString &path, const QString &folder)
{
    return path.isEmpty() ? path : includeTrailingSeparator(folder) + extractFileName(path);
}

} // namespace

std::span<const SampleFile> sampleFiles()
{
    return kSampleFiles;
}

QString adaptSampleLine(const QString &line, const QString &folder, SampleFileKind kind)
{
    QStringList fields = line.split(QLatin1Char('\t'));
    if (kind == SampleFileKind::SlideList) {
        // Six fields; the sixth (the track) is what follows the last TAB.
        if (fields.size() < 6)
            return line;
        fields.first() = moved(fields.first(), folder);
        fields.last() = moved(fields.last(), folder);
        // A slide that opens a document names it in its third field.
        if (fields[0].isEmpty() && fields[1].contains(QLatin1Char('O')))
            fields[2] = moved(fields[2], folder);
    } else {
        // Picture, mark x, mark y, track, meaning.
        if (fields.size() < 5)
            return line;
        fields.first() = moved(fields.first(), folder);
        fields[fields.size() - 2] = moved(fields[fields.size() - 2], folder);
    }
    return fields.join(QLatin1Char('\t'));
}

Fallible<void> adaptSampleFile(const QString &path, SampleFileKind kind)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return Fallible<void>::failure(notFound(path));
    const QByteArray bytes = file.readAll();
    file.close();
    const DecodedText decoded = decode8BitText(bytes);
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    QStringList lines = splitTextLines(decoded.text);
    for (QString &line : lines)
        line = adaptSampleLine(line, folder, kind);
    const QByteArray adapted = encode8BitText(joinTextLines(lines), decoded.encoding);
    // An example adapted before is left untouched.
    if (adapted == bytes)
        return Fallible<void>::success();
    // The new content replaces the file whole: an interrupted adaptation leaves it as it was.
    if (!writeFileAtomically(path, adapted).ok)
        return Fallible<void>::failure(cannotCreate(path));
    return Fallible<void>::success();
}

Fallible<void> adaptSamples(const QString &examplesDir)
{
    for (const SampleFile &sample : sampleFiles()) {
        const QString path = includeTrailingSeparator(examplesDir) +
                             QDir::toNativeSeparators(QString::fromUtf16(sample.name)) +
                             QString::fromUtf16(sample.extension);
        Fallible<void> done = adaptSampleFile(path, sample.kind);
        if (!done.ok())
            return done;
    }
    return Fallible<void>::success();
}

ExamplesPlace examplesPlace(const QString &examplesDir, bool installed, const QString &userCopy)
{
    const QFileInfo info(examplesDir);
    if (!installed && info.isDir() && info.isWritable())
        return {examplesDir, QString()};
    return {userCopy, examplesDir};
}

QString userExamplesFolder()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return QDir::toNativeSeparators(documents + QStringLiteral("/Pelvar/Exemples"));
}

Fallible<void> copyExamples(const QString &source, const QString &target)
{
    const QDir from(source);
    if (!from.exists())
        return Fallible<void>::failure(QStringLiteral("No s'ha trobat el directori '%1'")
                                           .arg(QDir::toNativeSeparators(source)));
    if (!QDir().mkpath(target))
        return Fallible<void>::failure(cannotCreate(target));
    QDirIterator it(source, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry = it.nextFileInfo();
        const QString copy = target + QLatin1Char('/') + from.relativeFilePath(entry.filePath());
        if (entry.isDir()) {
            if (!QDir().mkpath(copy))
                return Fallible<void>::failure(cannotCreate(copy));
            continue;
        }
        if (QFileInfo::exists(copy))
            continue;
        if (!QDir().mkpath(QFileInfo(copy).absolutePath()) || !QFile::copy(entry.filePath(), copy))
            return Fallible<void>::failure(cannotCreate(copy));
        // Installed files are read-only; the user's copy is his to change.
        QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::ReadOwner |
                                        QFileDevice::WriteOwner);
    }
    return Fallible<void>::success();
}

Fallible<void> installSamples(const ExamplesPlace &place)
{
    if (!place.source.isEmpty()) {
        Fallible<void> copied = copyExamples(place.source, place.folder);
        if (!copied.ok())
            return copied;
    }
    return adaptSamples(place.folder);
}
