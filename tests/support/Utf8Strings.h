#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>

// A list of texts written as UTF-8 literals, for the expectations of the tests.
inline QStringList sl(std::initializer_list<const char *> texts)
{
    QStringList out;
    for (const char *t : texts)
        out << QString::fromUtf8(t);
    return out;
}
