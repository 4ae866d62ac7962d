#pragma once

#include "presentation/SlideRecord.h"

#include <QDateTime>
#include <QString>

// The slide file handed to its external program, and whether it has to be shown again when the
// program gives the window back. The age is the file's modification time when it was handed
// over; a file whose time differs afterwards was saved by that program.
class EditedFileWatch
{
public:
    // What the window reloads after the check.
    enum class Reload { Nothing, Picture, Text };

    // The file goes to its program: its age now is remembered (none when it does not exist).
    void handedOver(const QString &path);
    // Forgets the file (its opening failed).
    void forget();
    bool pending() const { return m_age.isValid(); }
    const QString &path() const { return m_path; }
    const QDateTime &age() const { return m_age; }

    // The application was activated again. The slide on screen is reloaded when the window or its
    // text view has the focus, a slide is shown, it is the very file handed over, and that file
    // still exists with another age: pictures into the image view, text and rich text into the
    // text view. The age is forgotten whatever the answer.
    Reload check(const SlideRecord &shown, bool slideShown, bool windowHasFocus);

private:
    QString m_path;
    QDateTime m_age;
};
