#include "gui/features/earlierleague.h"

#include "gui/common/displaytext.h"
#include "gui/common/loadmessages.h"

#include <QFileInfo>

namespace vantrel {

QString ReadEarlierLeague(const QString& chosen, EarlierLeague& into) {
    const std::optional<QString> base = LeagueBaseName(chosen);
    if (!base)
        return NoBaseNameMessage();
    LeagueData league;
    if (!league.ReadTeamImage(FileSystemPath(*base + QStringLiteral(".tms"))))
        return TeamFileMessage();
    if (!league.ReadRosterImage(FileSystemPath(*base + QStringLiteral(".ros"))))
        return RosterFileMessage();
    if (league.ComputeGeometry() != GeometryResult::kOk)
        return GeometryMessage();
    into = {std::move(league), QFileInfo(*base).fileName()};
    return {};
}

}  // namespace vantrel
