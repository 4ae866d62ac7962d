#pragma once

#include <QString>

class DialogHelp;
class QDialog;
class QDialogButtonBox;
class QGroupBox;
class QSpinBox;
class QWidget;

// The pieces the option dialogs share.

// OK ("D'acord"), Cancel ("Cancel·la") and Help ("Ajuda") wired to the dialog. `help` receives
// the dialog's help (its button and F1), disabled until the dialog is given the program's help.
QDialogButtonBox *optionsButtons(QDialog *dialog, DialogHelp *&help);
// A number edit from `min` to `max` named `name`.
QSpinBox *numberEdit(QWidget *parent, const QString &name, int min, int max);
// A group box named `name` with the given title.
QGroupBox *namedGroup(QWidget *parent, const QString &name, const QString &title);
