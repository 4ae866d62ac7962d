#pragma once

#include "files/HelpContexts.h"

#include <QString>

class HelpRequester;
class QDialog;
class QDialogButtonBox;
class QLineEdit;
class QAction;
class QHBoxLayout;
class QWidget;

// The buttons of the users module's dialogs: "D'acord", "Cancel·la" and "Ajuda", the last one
// opening the help at the dialog's context (disabled until the program gives its help), as F1
// does anywhere in the dialog. `helpContext` is read at each request, so a dialog built on
// another may change it. OK and Cancel are left for the dialog to connect.
QDialogButtonBox *userDialogButtons(QDialog *dialog, HelpRequester *help,
                                    const HelpContext *helpContext);

// Whether a character may be typed into a user-name field at a position.
void installUserNameFilter(QLineEdit *edit);

// A tool button for `action` at the end of `row`.
void addToolButton(QHBoxLayout *row, QAction *action, QWidget *parent);
