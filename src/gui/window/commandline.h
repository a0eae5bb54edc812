#pragma once

// The program's command line: `vantrel-search [FILE]`, --help, --version. Parsed before
// the application object exists, so that --help and a bad option need no display and
// no window ever appears for them.

#include <QString>
#include <QStringList>

#include <optional>

namespace vantrel {

struct CommandLine {
    std::optional<QString> file;  // a league file to open after start-up
    // When set, the program prints `output` (to standard output for 0, else to standard
    // error) and exits with this code instead of starting.
    std::optional<int> exitCode;
    QString output;
};

// `arguments` as main() received them, the program's name first.
CommandLine ParseCommandLine(const QStringList& arguments);

}  // namespace vantrel
