#pragma once

#include "config/ProgramOptions.h"

#include <QString>

#include <optional>

// What the general options dialog edits: the program-wide users choices and the user's own
// program options.
struct GeneralOptionsValues
{
    bool SeveralUsers = false;
    // An administrator password is in use and set: the number of users is fixed.
    bool UsersFixed = false;
    bool UserConfiguration = false;
    TWriteRes Results;
    bool NoWarningWhenNoSlideExist = false;
    bool NoWarningWhenNoAudioFNExist = false;
    bool NoWarningWhenNoOpenFNExist = false;
    OpenSalAction OpenSalOption = OpenSalAction::Run;
};

GeneralOptionsValues generalOptionsFrom(const ProgramWideOptions &wide,
                                        const ProgramOptions &options);
// Stores the values back (the users choice only when it was not fixed).
void storeGeneralOptions(const GeneralOptionsValues &values, ProgramWideOptions &wide,
                         ProgramOptions &options);

// Going from one user to several without an administrator password opens the administrator's
// options to whoever uses the program now: the message saying so, or nothing.
std::optional<QString> adminAccessMessage(bool severalBefore, bool severalAfter,
                                          bool adminPasswordSet);
