#pragma once

#include <QString>

// The movie toolbox's texts for its error codes: empty for 0, "Unknown error" for a code it has
// no text for. The texts stay in English, as the toolbox gives them.
QString QuickTimeErrorText(int code);

// The codes the movie control reports for failures of the media backend that stands in for the
// toolbox (each has a text above).
namespace QuickTimeError {
inline constexpr int CannotReadDataSource = -2042; // the file cannot be read
inline constexpr int MovieCorrupted = -2010;       // nothing playable in the file
inline constexpr int CannotLocateFile = -2021;
inline constexpr int NoMovieFound = -2048;
} // namespace QuickTimeError
