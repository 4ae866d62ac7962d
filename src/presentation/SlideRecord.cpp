#include "presentation/SlideRecord.h"

#include "files/FileChecks.h"
#include "files/FileNames.h"

namespace {

struct KindExtension
{
    const char *ext;
    TSlideKind kind;
};

// Searched in this order: pictures, text, web, video (avi before mov), lists, programs.
constexpr KindExtension kKindExtensions[] = {
    {"bmp", skImage}, {"gif", skImage}, {"ico", skImage},        {"jpeg", skImage},
    {"jpg", skImage}, {"png", skImage}, {"wmf", skImage},        {"rtf", skRichText},
    {"txt", skText},  {"htm", skWeb},   {"html", skWeb},         {"mht", skWeb},
    {"avi", skVideo}, {"mov", skMovie}, {"sal", skPresentation}, {"exe", skProgram}};

constexpr const char *kAudioExtensions[] = {"cda", "mid", "mp3", "mp2", "mp1", "ogg", "wav", "wma"};

// The extension after the last dot, lower-cased; empty when the name has no dot.
QString lowerExtensionAfterLastDot(const QString &fileName)
{
    const QString name = extractFileName(fileName);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1).toLower();
}

} // namespace

std::optional<SlideRecord> ParseSlideLine(const QString &line)
{
    SlideRecord r;
    QString *fields[5] = {&r.FileName, &r.Flags, &r.PromptOr1stLine, &r.AnswersOrNextLines,
                          nullptr};
    QString timeText;
    fields[4] = &timeText;
    qsizetype pos = 0;
    for (QString *field : fields) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'), pos);
        if (tab < 0)
            return std::nullopt;
        *field = line.mid(pos, tab - pos);
        pos = tab + 1;
    }
    r.AudioFileName = line.mid(pos);
    r.Hidden = r.Flags.contains(QLatin1Char('H'));
    if (!timeText.isEmpty()) {
        bool ok = false;
        const qlonglong value = timeText.toLongLong(&ok);
        // Times are unsigned 16-bit; a hand-edited value outside that range counts as no time.
        if (ok && value >= 0 && value <= 65535) {
            r.TimeSet = true;
            r.Time = quint16(value);
        }
    }
    return r;
}

SlideLineShape InspectSlideLine(const QString &line)
{
    SlideLineShape shape;
    const QChar *d = line.constData();
    const qsizetype n = line.size();
    int tabs = 0;
    for (qsizetype i = 0; i < n && tabs < 5; ++i) {
        if (d[i] == QLatin1Char('\t'))
            ++tabs;
        else if (tabs == 1 && d[i] == QLatin1Char('H'))
            shape.hidden = true;
    }
    shape.wellFormed = tabs >= 5;
    return shape;
}

QString MalformedLineMessage(int lineNumber)
{
    return QStringLiteral(
               "Línia %1 incorrecta\r\nNo hi ha un nombre suficient de camps, segurament "
               "heu esborrat un Tabulador")
        .arg(lineNumber);
}

int ReadFlagNumber(const QString &flags, QChar letter)
{
    const qsizetype at = flags.indexOf(letter);
    if (at < 0)
        return -1;
    qsizetype end = at + 1;
    while (end < flags.size() && (flags[end].isDigit() || flags[end] == QLatin1Char('-')))
        ++end;
    const QString run = flags.mid(at + 1, end - at - 1);
    // Only ASCII digits count; QChar::isDigit also accepts other scripts' digits.
    for (QChar c : run)
        if (c != QLatin1Char('-') && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            return -1;
    bool ok = false;
    const int value = run.toInt(&ok);
    return ok ? value : -1;
}

SlideFlags ParseSlideFlags(const QString &flags)
{
    SlideFlags f;
    // Lists we write give a note position other than the default as "N" and a digit, so that the
    // letters "T" and "R" always mean the total-test and random-answer markers. Lists without it
    // take the note letter only when it is the whole field.
    const qsizetype n = flags.indexOf(QLatin1Char('N'));
    if (n >= 0 && n + 1 < flags.size() && flags[n + 1] >= QLatin1Char('0') &&
        flags[n + 1] <= QLatin1Char('3')) {
        f.NotePos = NotePosition(flags[n + 1].unicode() - '0');
    } else if (flags.size() == 1) {
        const int idx = QStringLiteral("LTRB").indexOf(flags[0]);
        if (idx >= 0)
            f.NotePos = NotePosition(idx);
    }
    f.PWithAnswer = flags.contains(QLatin1Char('X'));
    f.PWithPromptForAnswer = flags.contains(QLatin1Char('P'));
    f.PRandomAnswer = flags.contains(QLatin1Char('R'));
    f.PresTotalTest = flags.contains(QLatin1Char('T'));
    f.AudioRepeat = flags.contains(QLatin1String("Ar"));
    f.AudioContinue = flags.contains(QLatin1String("Ac"));
    f.AudioStop = flags.contains(QLatin1String("As"));
    f.NextSlide = ReadFlagNumber(flags, QLatin1Char('*'));
    f.MarkX = ReadFlagNumber(flags, QLatin1Char('x'));
    f.MarkY = ReadFlagNumber(flags, QLatin1Char('y'));
    return f;
}

std::optional<TSlideKind> SlideKindForExtension(const QString &fileName)
{
    const QString ext = lowerExtensionAfterLastDot(fileName);
    if (ext.isEmpty())
        return std::nullopt;
    for (const auto &k : kKindExtensions)
        if (ext == QLatin1String(k.ext))
            return k.kind;
    return std::nullopt;
}

SlideFileClass ClassifySlideFile(const QString &fileName)
{
    if (fileName.isEmpty())
        return {skTitle, fsOk};
    const auto kind = SlideKindForExtension(fileName);
    if (!kind)
        return {skImage, fsNotViewable};
    return {*kind, fileExists(fileName) ? fsOk : fsNotFound};
}

bool IsPlayableAudioExtension(const QString &fileName)
{
    const QString ext = lowerExtensionAfterLastDot(fileName);
    for (const char *a : kAudioExtensions)
        if (ext == QLatin1String(a))
            return true;
    return false;
}

TFileState ClassifyAudioFile(const QString &fileName)
{
    if (fileName.isEmpty())
        return fsOk;
    if (!IsPlayableAudioExtension(fileName))
        return fsNotViewable;
    return fileExists(fileName) ? fsOk : fsNotFound;
}

void ApplyOpenStep(SlideRecord &slide)
{
    slide.OpenExeEnd = slide.Flags.contains(QLatin1Char('C'));
    if (slide.Kind == skTitle && slide.Flags.contains(QLatin1Char('O'))) {
        slide.Kind = skDocument;
        slide.OpenFileExists = fileExists(slide.PromptOr1stLine);
    } else {
        slide.OpenFileExists = true;
    }
}

std::optional<SlideRecord> DecodeSlide(const QString &line)
{
    auto parsed = ParseSlideLine(line);
    if (!parsed)
        return std::nullopt;
    SlideRecord &r = *parsed;
    static_cast<SlideFlags &>(r) = ParseSlideFlags(r.Flags);
    const SlideFileClass c = ClassifySlideFile(r.FileName);
    r.Kind = c.kind;
    r.FileState = c.state;
    r.AudioState = ClassifyAudioFile(r.AudioFileName);
    ApplyOpenStep(r);
    return parsed;
}

QString SlideKindLetter(TSlideKind kind)
{
    static const char *letters[] = {"I", "X", "X", "T", "W", "A", "Q", "L", "E", "O"};
    return QString::fromLatin1(letters[kind]);
}
