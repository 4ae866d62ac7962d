#include "player/ProgramCredits.h"

namespace {

const CreditedLibrary kLibraries[] = {
    {"Qt 6", "finestres, dibuix, vídeo i àudio, pàgines web i ajuda", "GNU LGPL versió 3"},
    {"FFmpeg", "descodificació de les pistes WMA del connector d'àudio",
     "GNU LGPL versió 2.1 o posterior"},
    {"libjpeg-turbo", "lectura de les imatges JPEG",
     "llicència de l'IJG i llicència BSD modificada"},
    {"libpng", "lectura de les imatges PNG", "llicència de libpng (PNG Reference Library)"},
    {"zlib", "descompressió de les imatges PNG", "llicència de zlib"},
    {"ALSA (libasound)", "sortida de so del connector d'àudio", "GNU LGPL versió 2.1 o posterior"},
    {"GStreamer", "reproducció dels vídeos i de les pistes d'àudio",
     "GNU LGPL versió 2.1 o posterior"},
};

} // namespace

std::span<const CreditedLibrary> creditedLibraries()
{
    return kLibraries;
}

QString AcknowledgementsText()
{
    QString text = QStringLiteral(
        "Gràcies a les persones que fan i mantenen el programari lliure sobre el qual està fet "
        "aquest programa:\r\n");
    for (const CreditedLibrary &lib : kLibraries)
        text += QStringLiteral("\r\n- %1: %2")
                    .arg(QString::fromUtf8(lib.name), QString::fromUtf8(lib.use));
    return text;
}

QString ProgramDescription()
{
    return QStringLiteral("Seqüenciador de diapositives: mostra presentacions d'imatges, textos, "
                          "pàgines web i vídeos, manualment o amb temps, amb preguntes i "
                          "resultats.");
}
