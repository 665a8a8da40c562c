#pragma once

// The command line of tarvos, read before any window system is opened, so that --help,
// --version and a wrong option are answered in a terminal without a display (over SSH, in a
// script).

#include <QString>
#include <optional>

namespace tarvos {

struct CommandLine {
    // Set when the program ends here: 0 after --help or --version, 2 after a wrong option or
    // argument. What there was to say has been printed.
    std::optional<int> exitStatus;
    // --data-dir; empty when not given.
    QString dataDir;
};

// Reads the arguments (argv[0] is the program) and prints the help or the version to stdout, or
// what is wrong followed by the usage to stderr.
CommandLine readCommandLine(int argc, char **argv);

} // namespace tarvos
