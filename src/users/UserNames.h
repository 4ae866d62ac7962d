#pragma once

#include <QChar>
#include <QString>

// User names become parts of file names (the results file, the individual configuration, the
// recent list), so they may not hold a character that leaves or changes a path.

// Whether `c` may stand at position `pos` of a user name.
bool IsUserNameChar(QChar c, qsizetype pos);
// A name that can be used in a file name as it is: not empty, every character allowed.
bool IsSafeUserName(const QString &name);

// Passwords: at least 3 characters, at most the size of the users list's password field.
inline constexpr int kMinPasswordLength = 3;
inline constexpr int kMaxPasswordLength = 6;
