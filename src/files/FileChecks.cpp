#include "files/FileChecks.h"

bool EnsureWritable(const QString &path, Prompter &prompter)
{
    Q_UNUSED(path);
    Q_UNUSED(prompter);
    return true;
}
