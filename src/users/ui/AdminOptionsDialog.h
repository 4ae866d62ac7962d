#pragma once

#include "config/ProgramOptions.h"
#include "files/TPosSize.h"

#include <QString>

#include <functional>

class HelpRequester;
class Prompter;
class QDialog;
class QWidget;
class TDMAdminUsersDomains;

// What the administrator dialog keeps from one opening to the next during the program run: the
// page it showed and its position and size.
struct AdminWindowMemory
{
    TPosSize geometry;
    int page = 0;
};

// A_F_AdminOptions: opens the administrator dialog over `parent` on the program-wide keys and
// the administrator's results settings. OK stores the password switch, the users folder and the
// results settings (written to the folder's "Results.ini" when the password is in use); a
// password chosen in the dialog is kept even when it is cancelled. Returns whether OK closed it.
// The dialog opens on the page and geometry `memory` holds and leaves there those it closes
// with; F1 and "Ajuda" ask `help` (may be null) for the page shown. `run` shows the dialog
// modally and returns its result (exec() when empty; tests drive the dialog through it).
bool ShowAdminOptions(QWidget *parent, TDMAdminUsersDomains &users, Prompter &prompter,
                      ProgramWideOptions &wide, TWriteRes &adminResults,
                      const QString &programBaseName, HelpRequester *help,
                      AdminWindowMemory &memory, const std::function<int(QDialog &)> &run = {});
