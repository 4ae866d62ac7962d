#pragma once

#include <QString>

struct FolderBranch;

// The search by name of the trees. The text is upper-cased when kept; a caption matches when it
// is equal (upper-cased), or the text is "*"; a text with "*" and no "?" matches the captions
// that begin with its part before the first "*"; one with "?" and no "*" matches the captions of
// its length whose characters before the first "?" are equal. Any other text matches nothing
// else.
bool treeCaptionMatches(const QString &upperText, const QString &caption);

// The first entry of `branch` after entry `after` (-1: from the start) whose name matches, or -1.
int findInBranch(const FolderBranch &branch, int after, const QString &upperText);
