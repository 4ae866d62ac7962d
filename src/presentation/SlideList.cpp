#include "presentation/SlideList.h"

#include "files/AtomicFileWriter.h"
#include "files/FileChecks.h"
#include "files/FileNames.h"
#include "files/Prompter.h"
#include "presentation/SlideLineComposer.h"

#include <QFile>
#include <QFileInfo>

void SlideList::loadFromBytes(const QByteArray &bytes)
{
    DecodedText decoded = decode8BitText(bytes);
    lines = splitTextLines(decoded.text);
    encoding = decoded.encoding;
    encodingKnown = true;
    modified = false;
}

QByteArray SlideList::toBytes()
{
    const QString text = joinTextLines(lines);
    const TextEncoding preferred = encodingKnown ? encoding : encodingForNewText(text);
    TextEncoding used;
    QByteArray bytes = encode8BitText(text, preferred, &used);
    encoding = used;
    encodingKnown = true;
    return bytes;
}

Fallible<void> SlideList::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        lines.clear();
        modified = false;
        return Fallible<void>::failure(QStringLiteral("No es pot obrir el fitxer %1").arg(path));
    }
    loadFromBytes(file.readAll());
    return Fallible<void>::success();
}

Fallible<void> SlideList::save(const QString &path, Prompter &prompter)
{
    const QString failure = QStringLiteral("S'ha produït un error en desar\r\n%1").arg(path);
    if (!EnsureWritable(path, prompter)) {
        prompter.ShowError(failure);
        return Fallible<void>::failure(failure);
    }
    const TextEncoding before = encoding;
    const bool knownBefore = encodingKnown;
    const WriteOutcome out = writeFileAtomically(path, toBytes());
    if (!out.ok) {
        encoding = before;
        encodingKnown = knownBefore;
        prompter.ShowError(failure);
        return Fallible<void>::failure(failure);
    }
    modified = false;
    return Fallible<void>::success();
}

namespace {

// Start and end (exclusive) of the chosen field in `line`, or {-1, -1} when the line lacks it.
std::pair<qsizetype, qsizetype> fieldSpan(const QString &line, SlideList::RelocateField which)
{
    const QChar tab(QLatin1Char('\t'));
    // A field exists only on a line that is whole (five TABs at least).
    if (line.count(tab) < 5)
        return {-1, -1};
    switch (which) {
    case SlideList::RelocateField::File: return {0, line.indexOf(tab)};
    case SlideList::RelocateField::Audio:
        // Relocating takes the audio track as the text after the last TAB, so a line with more
        // fields than six has only its last one rewritten.
        return {line.lastIndexOf(tab) + 1, line.size()};
    case SlideList::RelocateField::Document: {
        const qsizetype a = line.indexOf(tab);
        const qsizetype b = line.indexOf(tab, a + 1);
        return {b + 1, line.indexOf(tab, b + 1)};
    }
    }
    return {-1, -1};
}

} // namespace

SlideList::RelocateResult SlideList::RelocateSlideFiles(const QString &folder, RelocateField which,
                                                        Prompter *prompter)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const auto [start, end] = fieldSpan(line, which);
        if (start < 0) {
            if (prompter)
                prompter->ShowError(MalformedLineMessage(int(i + 1)));
            return RelocateResult::Malformed;
        }
        const QString field = line.mid(start, end - start);
        if (field.isEmpty())
            continue;
        const QString candidate = includeTrailingSeparator(folder) + extractFileName(field);
        if (candidate == field || !QFileInfo(candidate).isFile())
            continue;
        lines[i] = line.left(start) + candidate + line.mid(end);
        modified = true;
    }
    return RelocateResult::Done;
}

void SlideList::recordTime(int index, int seconds)
{
    if (index < 0 || index >= lines.size())
        return;
    if (lines[index].count(QLatin1Char('\t')) < 5)
        return; // a malformed line has no time field to replace
    lines[index] = ReplaceTimeField(lines[index], seconds);
    modified = true;
}
