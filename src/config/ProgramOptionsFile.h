#pragma once

#include "config/ProgramOptions.h"
#include "users/AccessLevel.h"

#include <QString>

class Prompter;
class TNewIniFile;

struct ProgramOptionsReadContext
{
    QString programDir;           // the default results folder
    bool commandLineFile = false; // CurrentSALName and AutomaticInit are then not read
    AccessLevel accessLevel = AccessLevel::Full;
    Prompter *prompter = nullptr; // for the missing results folder warning
};

// Reads a WriteResults section. A folder that does not exist while writing is on warns, moves to
// the nearest existing parent and disables writing for this run.
void ReadWriteResults(const TNewIniFile &file, WriteResultsSettings &r, const QString &programDir,
                      Prompter *prompter);
void WriteWriteResults(TNewIniFile &file, const WriteResultsSettings &r);

// Reads the program options; true when all were read. Out-of-range tool-button indexes take
// the last command of their list; ActionEndIndex 1 without results writing, or 3 at access level
// 0, takes 0.
bool ReadProgramOptions(const TNewIniFile &file, ProgramOptions &o,
                        const ProgramOptionsReadContext &ctx);
bool WriteProgramOptions(TNewIniFile &file, const ProgramOptions &o);

void ReadProgramWideOptions(const TNewIniFile &file, ProgramWideOptions &w);
void WriteProgramWideOptions(TNewIniFile &file, const ProgramWideOptions &w);
