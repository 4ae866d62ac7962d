#pragma once

#include "files/Fallible.h"

#include <QString>
#include <QStringList>

// The rules of the favourite directories list ("Directoris preferits").

// Whether `folder` may be added to `dirs`: a failure with an empty message when there is no
// folder to add (nothing chosen in the tree, or only its root "Dispositiu"), "Ja existeix el
// directori '%s' a la llista" when the list already holds exactly that text.
Fallible<void> checkNewFavoriteDir(const QStringList &dirs, const QString &folder);

// The list in ascending order ignoring letter case; equal texts keep their order.
QStringList sortedFavoriteDirs(QStringList dirs);
