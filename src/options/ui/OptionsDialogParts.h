#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;
class QGroupBox;
class QSpinBox;
class QWidget;

// The pieces the option dialogs share.

// OK ("D'acord"), Cancel ("Cancel·la") and Help ("Ajuda") wired to the dialog; the help button
// carries the dialog's help context and stays disabled until the program has its help.
QDialogButtonBox *optionsButtons(QDialog *dialog, int helpContext);
// A number edit from `min` to `max` named `name`.
QSpinBox *numberEdit(QWidget *parent, const QString &name, int min, int max);
// A group box named `name` with the given title.
QGroupBox *namedGroup(QWidget *parent, const QString &name, const QString &title);
