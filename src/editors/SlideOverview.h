#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class FileListRows;
class SlideListRows;

// The two overviews of a slide list the editor shows without writing anything: the index of
// the slides' files and the sketch of all slides.

// What the overviews read of one row.
struct OverviewRow
{
    QString dir, name, ext;
    QString kind; // the kind letter
    bool valid = true;
    bool shown = true;
    QString prompt, answers; // the two paragraphs, "|" between lines
};
std::vector<OverviewRow> overviewRows(const SlideListRows &rows);

// One entry of the index: a file and the numbers (from 1) of the slides that show it, joined by
// ", " and cut to 20 characters as the index table holds them.
struct IndexEntry
{
    QString dir, name, ext, num;
};
struct SlideIndex
{
    std::vector<IndexEntry> entries;
    bool severalDirs = false;
};
constexpr int kIndexNumWidth = 20;

// The index: valid, shown rows that are not titles, sorted without regard to case by folder,
// name and extension (or name and extension), with neighbours naming exactly the same file
// merged. Empty when no row qualifies.
SlideIndex BuildSlideIndex(const std::vector<OverviewRow> &rows, bool sortByDir);
// The index as the text window shows it: a folder line before each folder's first entry when
// sorted by folder with several folders; each entry as its name, and a TAB and its numbers
// unless `noNumbers`.
QStringList SlideIndexLines(const SlideIndex &index, bool sortByDir, bool noNumbers);
// "No hi ha cap arxiu vàlid a indexar".
QString NothingToIndexText();

// The sketch, one line per slide (and, with `allParagraphs`, a TAB-led line per paragraph).
QStringList SlideSketchLines(const std::vector<OverviewRow> &rows, bool allParagraphs,
                             bool withTabs, bool noNumbers);
