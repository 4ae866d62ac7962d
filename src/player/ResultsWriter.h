#pragma once

#include "config/ProgramOptions.h"

#include <QDateTime>
#include <QString>

class Prompter;

// Appends results to a user's results file: a date line when the file is new or was last written
// on another day, a heading when the result comes from another list than the previous one, the
// message, the duration and time line when asked for, and an empty line.
struct ResultsEntry
{
    QString message;
    QString listPath; // the list the result comes from
    qint64 durationSecs = 0;
    QDateTime now; // when the result is written
};

// The run's duration as "nn:ss" (minutes and seconds).
QString formatDuration(qint64 seconds);

// `previousListPath` is shared by every destination of a run: a heading goes only into the first
// file written after the list changes. Returns whether the file was written; failures are shown
// through the prompter.
bool AppendResult(const QString &filePath, const TWriteRes &res, const ResultsEntry &entry,
                  QString &previousListPath, Prompter &prompter);

// The results file of a destination: its folder + user name + ".txt".
QString ResultsFilePath(const TWriteRes &res, const QString &userName);
