#pragma once

#include "player/StartupArgs.h"

#include <QObject>
#include <QString>

// A subsystem's part of the main window: besides the commands it adds through
// MainWindowCommands, the window calls it at start-up, at exit and when a list is opened. The
// application composes the controllers and hands them to the window; one that is destroyed
// first is simply no longer called.
class MainWindowController : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Start-up, before the file argument of the command line is handled.
    virtual void readAtStartUp(const StartupArgs &args) { (void)args; }
    // A meaning table given on the command line without a list of its name was loaded.
    virtual void startUpTableLoaded(const QString &path) { (void)path; }
    // The list to open at start-up when no file was given; "" when this controller names none.
    virtual QString startUpList() const { return QString(); }
    // Whether the list named by startUpList() starts running at once.
    virtual bool startUpRuns() const { return false; }
    // The window closes for good. Returns whether everything was written.
    virtual bool saveAtExit() { return true; }
    // A list was opened (for the recent-file list).
    virtual void addRecentFile(const QString &path) { (void)path; }
};
