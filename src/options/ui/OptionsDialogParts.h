#pragma once

#include <QString>

#include <functional>

class DialogHelp;
class PresentationSession;
class QDialog;
class QCheckBox;
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
// A check box named `name` with the given caption, checked or not.
QCheckBox *namedCheck(QWidget *parent, const QString &name, const QString &caption,
                      bool checked = false);
// A group box named `name` with the given title.
QGroupBox *namedGroup(QWidget *parent, const QString &name, const QString &title);

// The save dialog for a presentation configuration ("Desar una configuració de presentació"),
// starting at `current`; "" when cancelled. A name without extension gets ".ini".
QString askConfigSavePath(QWidget *parent, const QString &current);
// OK with saving: saves the settings in force at once to `destination` (a SaveDestination),
// asking `chooseFile` for the file when it is to be chosen. A save that is cancelled or fails
// leaves the settings marked modified, to be saved later.
void saveSettingsNow(PresentationSession &session, int destination,
                     const std::function<QString(const QString &current)> &chooseFile);
