#pragma once

#include "config/ProgramOptions.h"

#include <QString>

class Prompter;
class QWidget;
class TDMAdminUsersDomains;

// A_F_AdminOptions: opens the administrator dialog over `parent` on the program-wide keys and
// the administrator's results settings. OK stores the password switch, the users folder and the
// results settings (written to the folder's "Results.ini" when the password is in use); a
// password chosen in the dialog is kept even when it is cancelled. Returns whether OK closed it.
bool ShowAdminOptions(QWidget *parent, TDMAdminUsersDomains &users, Prompter &prompter,
                      ProgramWideOptions &wide, TWriteRes &adminResults,
                      const QString &programBaseName);
