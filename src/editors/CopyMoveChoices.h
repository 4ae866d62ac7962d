#pragma once

#include "files/CopyMovePlan.h"
#include "files/Fallible.h"

#include <QString>

#include <functional>

// What the destination dialogs of "Copia els arxius..." and "Mou els arxius..." ask. The editor's
// owner keeps one for the program's run, so each dialog opens with the choices made last.
struct CopyMoveChoices
{
    QString destination; // the folder chosen last; empty until one is
    // "Tots al mateix directori"; false: "Reproduint l'arbre de direcs."
    bool allToOneDirectory = true;
    // "Copiar-hi els arxius de la presentació (sal, ini, sml, wml)"
    bool copyPresentationFiles = false;
    // "Redirecciona els directoris de la llista al/s directori/s de destí", offered when copying
    bool redirectDirs = false;

    bool operator==(const CopyMoveChoices &) const = default;
};

// Whether the rows' directories follow the files: always when moving, when copying only if asked.
bool redirectsRows(TFileAction action, const CopyMoveChoices &choices);

// The destination must be an existing folder ("No s'ha trobat el directori '%s'") and may not be
// on a CD ("No es pot copiar o moure arxius a un CD"); `isOnCD` judges the folder.
Fallible<void> checkCopyDestination(const QString &folder,
                                    const std::function<bool(const QString &)> &isOnCD);
