#pragma once

#include <QStringList>

// Runs the player window: `args` are the command-line arguments the GUI reads (access switch,
// file), without the program name. `autoStart` runs the list given there from its first slide.
int runGui(int argc, char **argv, const QStringList &args, bool autoStart);
