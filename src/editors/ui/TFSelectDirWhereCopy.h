#pragma once

#include "editors/ui/TFSelectDirWhereCopyMove.h"

// "Selecció del directori de destí" for copying the list's files: the moving dialog's choices,
// and whether the list's rows then name the copies ("Redirecciona els directoris de la llista
// al/s directori/s de destí").
class TFSelectDirWhereCopy : public TFSelectDirWhereCopyMove
{
    Q_OBJECT

public:
    TFSelectDirWhereCopy(const CopyMoveChoices &last, Prompter &prompter, Shell &shell,
                         QWidget *parent = nullptr);

    CopyMoveChoices choices() const override;

    QCheckBox *CB_RedirectDirs;
};
