#pragma once

// The program's command line: `vantrel-search [FILE]`, --help, --version, and the search
// for scripts (`--query TEXT FILE` with its options). Parsed before any application object
// exists, so that --help, a bad option and a script search need no display and no window
// ever appears for them.

#include "cli/scriptsearch.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vantrel {

struct CommandLine {
    std::optional<QString> file;  // a league file to open after start-up
    // A search for scripts instead of the window.
    std::optional<ScriptRequest> script;
    // When set, the program prints `output` (to standard output for 0, else to standard
    // error) and exits with this code instead of starting.
    std::optional<int> exitCode;
    QString output;
};

// `arguments` as main() received them, the program's name first.
CommandLine ParseCommandLine(const QStringList& arguments);

}  // namespace vantrel
