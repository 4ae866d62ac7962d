#pragma once

#include <QString>

// The program options the player consults (section Options of the program or individual
// configuration), with their defaults.
struct ProgramOptions
{
    bool HideMainMenu = false;
    QString CurrentSALName;
    int AutomaticInit = 0; // 0 nothing, 1 open the last list, 2 open and start it
    int OpenSalOption = 0; // 0 start, 1 edit, 2 check, 3 nothing
    int SaveIndividualConfigO = 1; // 0 save without asking, 1 ask, 2 never
    bool LoadIndividualConfig = true;
    bool SaveDefaultConfigOnCloseWithPrompt = true;
    bool LastConfigWhenNewPres = true;
    bool NoWarningWhenNoSlideExist = false;
    bool NoWarningWhenNoAudioFNExist = false;
    bool NoWarningWhenNoOpenFNExist = false;
};
