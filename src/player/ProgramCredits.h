#pragma once

#include <QString>

#include <span>

// The libraries and tools the program is built on, for the acknowledgements box and the about
// box ("&Referència...").
struct CreditedLibrary
{
    const char *name;    // "Qt 6"
    const char *use;     // what the program does with it, in Catalan (UTF-8)
    const char *licence; // its licence, as its authors name it
};

std::span<const CreditedLibrary> creditedLibraries();

// The text of "Agraïments...": a line of thanks, then one line per library with its use.
QString AcknowledgementsText();

// The program's one-line description, for the about box.
QString ProgramDescription();
