#include "editors/ui/TFSelectDirWhereCopy.h"

#include "options/ui/OptionsDialogParts.h"

#include <QCheckBox>
#include <QVBoxLayout>

TFSelectDirWhereCopy::TFSelectDirWhereCopy(const CopyMoveChoices &last, Prompter &prompter,
                                           Shell &shell, QWidget *parent)
    : TFSelectDirWhereCopyMove(last, prompter, shell, TFileAction::faCopy, parent)
{
    setObjectName(QStringLiteral("TFSelectDirWhereCopy"));
    CB_RedirectDirs = namedCheck(
        this, QStringLiteral("CB_RedirectDirs"),
        QStringLiteral("Redirecciona els directoris de la llista al/s directori/s de destí"),
        last.redirectDirs);
    optionsLayout()->addWidget(CB_RedirectDirs);
    fitToContents();
}

CopyMoveChoices TFSelectDirWhereCopy::choices() const
{
    CopyMoveChoices c = TFSelectDirWhereCopyMove::choices();
    c.redirectDirs = CB_RedirectDirs->isChecked();
    return c;
}
