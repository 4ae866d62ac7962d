#pragma once

#include <QString>
#include <QStringList>

#include <array>

struct ProgramOptions;

// The file types the explorer list of the file list editors shows, and the audio list's types.

// Whether the list edited may hold slide lists and programs (the slide list editor's may): only
// then are "sal" and "exe" offered.
enum class ListContents { FilesOnly, WithListsAndPrograms };

// The kinds of file the left list may show, each a key of the settings' section FFilter.
enum class FileFilterKind { Video, Bmp, Gif, Html, Jpeg, Rtf, Txt, Wmf, Sal, Exe };
inline constexpr int kFileFilterKindCount = 10;

// Which kinds are on, as the FFilter settings hold them.
struct FileFilterSet
{
    std::array<bool, kFileFilterKindCount> on{};

    bool &operator[](FileFilterKind k) { return on[std::size_t(k)]; }
    bool operator[](FileFilterKind k) const { return on[std::size_t(k)]; }
    bool operator==(const FileFilterSet &) const = default;

    static FileFilterSet fromOptions(const ProgramOptions &options);
    void storeInto(ProgramOptions &options) const;
};

// The extensions of a kind, without the dot, in the order the mask lists them.
QStringList filterExtensions(FileFilterKind kind);
// The caption of the kind's box in the filter dialog ("jpeg, jpg, png").
QString filterCaption(FileFilterKind kind);
// "sal" and "exe" belong only to lists that may hold slide lists and programs.
bool filterOffered(FileFilterKind kind, ListContents contents);

// The left list's mask, "*.ext" patterns joined by ";", kinds in the order video, bmp, gif,
// html, jpeg, rtf, txt, wmf, sal, exe. Empty when no offered kind is on.
QString fileListMask(const FileFilterSet &filter, ListContents contents);
QString fileListMask(const ProgramOptions &options, ListContents contents);
// Whether the filter dialog may be accepted: at least one offered kind is on.
bool anyOfferedFilterOn(const FileFilterSet &filter, ListContents contents);

// The audio filter's choices, "Arxius d'audio (tots)" first, then one per kind of track.
inline constexpr int kAudioFilterCount = 6;
QStringList audioFilterItems();
// The audio list's mask for `AudioFFilterIndex`; an index outside 0..5 (a damaged settings file)
// shows every kind of track, as 0 does.
QString audioFileMask(int audioFilterIndex);
