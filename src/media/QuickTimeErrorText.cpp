#include "media/QuickTimeErrorText.h"

#include <iterator>

namespace {

struct ErrorText
{
    int code;
    const char *text;
};

// -2017, -2018 and -2020 have no text of their own.
constexpr ErrorText kTexts[] = {
    {-2000, "Cannot use this data reference"},
    {-2001, "Problem with this image description"},
    {-2002, "Movie file corrupted"},
    {-2003, "Cannot locate this handler"},
    {-2004, "Cannot open this handler"},
    {-2005, "Component cannot accommodate this data"},
    {-2006, "Media has no media handler"},
    {-2007, "Media has no data handler"},
    {-2008, "This media is corrupted or invalid"},
    {-2009, "This track is corrupted or invalid"},
    {-2010, "This movie is corrupted or invalid"},
    {-2011, "This sample table is corrupted or invalid"},
    {-2012, "This data reference is invalid"},
    {-2013, "This handler is invalid"},
    {-2014, "This duration value is invalid"},
    {-2015, "This time value is invalid"},
    {-2016, "Cannot write to this movie file"},
    {-2019, "Your progress procedure returned an error"},
    {-2021, "Cannot locate this file"},
    {-2022, "Error trying to create a single-fork file. This occurs when the file already "
            "exists."},
    {-2023, "This edit state is invalid"},
    {-2024, "This edit state is not valid for this movie"},
    {-2025, "Movie or track has been disposed"},
    {-2026, "Cannot locate this user data item"},
    {-2027, "Maximum size must be larger"},
    {-2028, "This track index value is not valid"},
    {-2029, "Cannot locate a track with this ID value"},
    {-2030, "This track is not in this movie"},
    {-2031, "This time value is outside of this track"},
    {-2032, "This time value is outside of this media"},
    {-2033, "This edit index value is not valid"},
    {-2034, "Internal error"},
    {-2035, "Cannot enable this track"},
    {-2036, "Specified rectangle has invalid coordinates"},
    {-2037, "There is no sample with this sample number"},
    {-2038, "There is no chunk with this chunk number"},
    {-2039, "Sample description index value invalid"},
    {-2040, "The chunk cache is corrupted"},
    {-2041, "This sample description is invalid or corrupted"},
    {-2042, "Cannot read from this data source"},
    {-2043, "Cannot write to this data source"},
    {-2044, "Data source is already open for write"},
    {-2045, "You have already closed this data source"},
    {-2046, "End of data"},
    {-2047, "No data reference value found"},
    {-2048, "Toolbox cannot find a movie in the movie file"},
    {-2049, "Invalid data reference"},
};
static_assert(std::size(kTexts) == 47);

} // namespace

QString QuickTimeErrorText(int code)
{
    if (code == 0)
        return QString();
    for (const ErrorText &e : kTexts)
        if (e.code == code)
            return QString::fromLatin1(e.text);
    return QStringLiteral("Unknown error");
}
