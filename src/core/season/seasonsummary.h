#pragma once

// What the Season Changes window lists from a match of two seasons: the players whose OV
// rose or fell the most, the earlier players who are gone, and the players who changed
// team. Every list may be kept to one position and is cut to a limit; its total stays.

#include "core/league/leaguedata.h"
#include "core/season/seasonmatch.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantrel {

// Every position; any other value is a position byte (0 C, 1 LW, 2 RW, 3 D, 4 G).
inline constexpr int kAnyPosition = -1;

enum class ChangeSide { kRisers, kFallers };

// The first entries of a list, and how many it held before it was cut.
template <class T>
struct CappedList {
    std::vector<T> shown;
    std::int64_t total = 0;
};

struct GonePlayer {
    std::int32_t earlierRecord = 0;
    std::int64_t earlierTeam = -1;  // TeamOfRecord in the earlier league
};

struct TeamChange {
    std::int32_t currentRecord = 0;
    std::int64_t currentTeam = -1;  // TeamOfRecord in the current league
    std::int32_t earlierRecord = 0;
    std::int64_t earlierTeam = -1;  // TeamOfRecord in the earlier league
};

// The matched current records whose OV rose (kRisers) or fell (kFallers): the largest
// change first, ties by record index. A player whose OV stayed is in neither list.
CappedList<std::int32_t> OverallMovers(const SeasonMatch& match, ChangeSide side, int position,
                                       std::size_t limit);

// The earlier named players nobody was matched to, in earlier file order; of the position
// they had then.
CappedList<GonePlayer> GonePlayers(const SeasonMatch& match, const LeagueData& earlier,
                                   int position, std::size_t limit);

// The matched current records whose team's name differs from the earlier team's name
// (indices say nothing: the leagues may be shaped differently), in current file order. A
// record past the team list has a team without a name.
CappedList<TeamChange> TeamChanges(const SeasonMatch& match, const LeagueData& current,
                                   const LeagueData& earlier, int position, std::size_t limit);

}  // namespace vantrel
