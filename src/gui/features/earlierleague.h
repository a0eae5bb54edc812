#pragma once

// The league of an earlier season, read whole beside the loaded one with the checks and
// messages of "Open File"; it is never written and never kept between runs.

#include "core/league/leaguedata.h"

#include <QString>

namespace vantrel {

struct EarlierLeague {
    LeagueData league;
    QString name;  // the file name without its extension: "demo"
};

// Reads both files of the league `chosen` names into `into`; the message of the step that
// failed, or an empty text. `into` is only changed on success.
QString ReadEarlierLeague(const QString& chosen, EarlierLeague& into);

}  // namespace vantrel
