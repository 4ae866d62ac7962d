#include "editors/FileListMasks.h"

#include "config/ProgramOptions.h"

namespace {

struct KindInfo
{
    bool ProgramOptions::*setting;
    const char *caption;       // UTF-8
    const char *extensions[3]; // unused places are null
};

// In FileFilterKind order, which is the mask's order.
const KindInfo kKinds[kFileFilterKindCount] = {
    {&ProgramOptions::FilterVideo, "avi, mov", {"avi", "mov"}},
    {&ProgramOptions::FilterBmp, "bmp", {"bmp"}},
    {&ProgramOptions::FilterGif, "gif", {"gif"}},
    {&ProgramOptions::FilterHtml, "htm, html, mht", {"htm", "html", "mht"}},
    {&ProgramOptions::FilterJpeg, "jpeg, jpg, png", {"jpg", "jpeg", "png"}},
    {&ProgramOptions::FilterRtf, "rtf", {"rtf"}},
    {&ProgramOptions::FilterTxt, "txt", {"txt"}},
    {&ProgramOptions::FilterWmf, "wmf", {"wmf"}},
    {&ProgramOptions::FilterSal, "sal", {"sal"}},
    {&ProgramOptions::FilterExe, "exe", {"exe"}},
};

const KindInfo &info(FileFilterKind kind)
{
    return kKinds[std::size_t(kind)];
}

struct AudioFilter
{
    const char *description; // UTF-8
    const char *mask;
};

// Index 0 takes every kind below it.
const AudioFilter kAudioFilters[kAudioFilterCount] = {
    {"Arxius d'audio (tots)", "*.cda;*.mid;*.mp3;*.mp2;*.mp1;*.wav;*.wma"},
    {"Pistes d'àudio CDDA", "*.cda"},
    {"Arxius MIDI", "*.mid"},
    {"Arxius d'àudio de MPEG", "*.mp3;*.mp2;*.mp1"},
    {"Arxius Microsoft Waveform Audio", "*.wav"},
    {"Arxius Windows Media Audio", "*.wma"},
};

} // namespace

FileFilterSet FileFilterSet::fromOptions(const ProgramOptions &options)
{
    FileFilterSet set;
    for (int i = 0; i < kFileFilterKindCount; ++i)
        set.on[std::size_t(i)] = options.*kKinds[i].setting;
    return set;
}

void FileFilterSet::storeInto(ProgramOptions &options) const
{
    for (int i = 0; i < kFileFilterKindCount; ++i)
        options.*kKinds[i].setting = on[std::size_t(i)];
}

QStringList filterExtensions(FileFilterKind kind)
{
    QStringList out;
    for (const char *e : info(kind).extensions)
        if (e)
            out << QLatin1String(e);
    return out;
}

QString filterCaption(FileFilterKind kind)
{
    return QString::fromUtf8(info(kind).caption);
}

bool filterOffered(FileFilterKind kind, ListContents contents)
{
    return contents == ListContents::WithListsAndPrograms ||
           (kind != FileFilterKind::Sal && kind != FileFilterKind::Exe);
}

QString fileListMask(const FileFilterSet &filter, ListContents contents)
{
    QStringList patterns;
    for (int i = 0; i < kFileFilterKindCount; ++i) {
        const auto kind = FileFilterKind(i);
        if (filter[kind] && filterOffered(kind, contents))
            for (const QString &e : filterExtensions(kind))
                patterns << QStringLiteral("*.") + e;
    }
    return patterns.join(QLatin1Char(';'));
}

QString fileListMask(const ProgramOptions &options, ListContents contents)
{
    return fileListMask(FileFilterSet::fromOptions(options), contents);
}

bool anyOfferedFilterOn(const FileFilterSet &filter, ListContents contents)
{
    for (int i = 0; i < kFileFilterKindCount; ++i)
        if (filter[FileFilterKind(i)] && filterOffered(FileFilterKind(i), contents))
            return true;
    return false;
}

QStringList audioFilterItems()
{
    QStringList out{QString::fromUtf8(kAudioFilters[0].description)};
    for (int i = 1; i < kAudioFilterCount; ++i)
        out << QStringLiteral("%1 (%2)").arg(QString::fromUtf8(kAudioFilters[i].description),
                                             QLatin1String(kAudioFilters[i].mask));
    return out;
}

QString audioFileMask(int audioFilterIndex)
{
    if (audioFilterIndex < 0 || audioFilterIndex >= kAudioFilterCount)
        audioFilterIndex = 0;
    return QLatin1String(kAudioFilters[audioFilterIndex].mask);
}
