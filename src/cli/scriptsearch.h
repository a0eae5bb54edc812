#pragma once

// A search for scripts: the league of a file loaded, the criteria text applied exactly as
// Edit -> Query applies it, the players searched and the list printed (or written as
// Export List writes), all without a display and without a window.

#include "gui/results/listtext.h"

#include <QString>

#include <cstdio>

namespace vantrel {

struct ScriptRequest {
    QString file;     // either file of the league
    QString query;    // the criteria text
    QString earlier;  // either file of last season's league, or empty
    ListFormat format = ListFormat::kCsv;
    QString sortColumn;  // a column caption; empty: the search's own order
    bool reverse = false;
    QString output;  // a file; empty: standard output
    bool countOnly = false;
    bool report = false;
};

// The exit status of a script search.
inline constexpr int kScriptDone = 0;
inline constexpr int kScriptFailed = 1;   // a league unreadable, the output unwritable
inline constexpr int kScriptRefused = 2;  // a usage error, a criteria text that does not read

// Runs the request; the list, count or report goes to `out`, messages to `err`.
int RunScriptSearch(const ScriptRequest& request, std::FILE* out, std::FILE* err);

}  // namespace vantrel
