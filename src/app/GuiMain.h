#pragma once

#include <QStringList>

#include <utility>
#include <vector>

// Runs the player window: `args` are the command-line arguments the GUI reads (access switch,
// file), without the program name. `autoStart` runs the list given there from its first slide.
// `unreadable` pairs the text of each argument whose bytes no name here can carry with its
// message: such a file argument is told about and not opened.
int runGui(int argc, char **argv, const QStringList &args, bool autoStart,
           const std::vector<std::pair<QString, QString>> &unreadable);
