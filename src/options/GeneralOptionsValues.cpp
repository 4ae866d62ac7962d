#include "options/GeneralOptionsValues.h"

namespace {

bool adminPasswordInUse(const ProgramWideOptions &wide)
{
    return wide.UseAdminPassword && !wide.AdminPassword.isEmpty();
}

} // namespace

GeneralOptionsValues generalOptionsFrom(const ProgramWideOptions &wide,
                                        const ProgramOptions &options)
{
    GeneralOptionsValues v;
    v.SeveralUsers = wide.SeveralUsers;
    v.UsersFixed = adminPasswordInUse(wide);
    v.UserConfiguration = wide.UserConfiguration;
    v.Results = options.Results;
    v.NoWarningWhenNoSlideExist = options.NoWarningWhenNoSlideExist;
    v.NoWarningWhenNoAudioFNExist = options.NoWarningWhenNoAudioFNExist;
    v.NoWarningWhenNoOpenFNExist = options.NoWarningWhenNoOpenFNExist;
    v.OpenSalOption = options.OpenSalOption;
    return v;
}

void storeGeneralOptions(const GeneralOptionsValues &v, ProgramWideOptions &wide,
                         ProgramOptions &options)
{
    if (!adminPasswordInUse(wide))
        wide.SeveralUsers = v.SeveralUsers;
    wide.UserConfiguration = v.UserConfiguration;
    options.Results = v.Results;
    options.NoWarningWhenNoSlideExist = v.NoWarningWhenNoSlideExist;
    options.NoWarningWhenNoAudioFNExist = v.NoWarningWhenNoAudioFNExist;
    options.NoWarningWhenNoOpenFNExist = v.NoWarningWhenNoOpenFNExist;
    options.OpenSalOption = v.OpenSalOption;
}

std::optional<QString> adminAccessMessage(bool severalBefore, bool severalAfter,
                                          bool adminPasswordSet)
{
    if (severalBefore || !severalAfter || adminPasswordSet)
        return std::nullopt;
    return QStringLiteral("Ara ja teniu accés a la finestra d'opcions de l'administrador.\r\n"
                          "Des d'on podreu assignar la llista d'usuaris, de dominis i veure els "
                          "resultats");
}
