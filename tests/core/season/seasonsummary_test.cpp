// The lists of the Season Changes window on two small leagues of different shapes, against
// values worked out by hand. OV from one rating: a defender's is 7 + DF/6, a forward's
// 5 + SC/5.5, a goalie's DU/53.

#include "core/season/seasonsummary.h"

#include "leaguegen.h"
#include "support/byteimage.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

struct Hand {
    const char* name;
    int position, rating, value;
};

LeagueData League(const std::vector<std::string>& teams, const std::vector<Hand>& players) {
    std::vector<std::uint8_t> teamBytes, roster;
    for (const std::string& team : teams)
        leaguegen::TeamBuilder().Name(team).AppendTo(teamBytes);
    for (const Hand& p : players)
        leaguegen::PlayerBuilder()
            .Name(p.name)
            .Position(static_cast<std::uint8_t>(p.position))
            .Rating(p.rating, static_cast<std::uint8_t>(p.value))
            .AppendTo(roster);
    LeagueData league{.TeamFileImage = testsupport::SharedImageOf(teamBytes),
                      .TeamFileSize = static_cast<std::int32_t>(teamBytes.size()),
                      .RosterFileImage = testsupport::SharedImageOf(roster),
                      .RosterFileSize = static_cast<std::int32_t>(roster.size())};
    league.ComputeGeometry();
    return league;
}

// Ann +5, Ivy +4, Bo +4, Cy (G) +1, Eli 0, Dee -2; two current Hal Ames fit the one
// earlier Hal equally (ambiguous, so he is gone with Fay); Gil is new. Ann keeps "Alpha"
// under another team index, Dee moves from "Bravo" to "Alpha" under the same index.
TEST(SeasonSummaryTest, MoversGoneAndTeamChanges) {
    const std::vector<Hand> then{
        {"Ann Kell", 3, kDF, 78}, {"Bo Rand", 0, kSC, 55},  {"Cy Moor", 4, kDU, 53},
        {"Dee Lorn", 3, kDF, 60}, {"Eli Voss", 1, kSC, 44}, {"Fay Quin", 2, kSC, 33},
        {"Hal Ames", 3, kDF, 42}, {"Ivy Nash", 0, kSC, 22}, {"", 0, kSC, 0}};
    const std::vector<Hand> now{
        {"Ivy Nash", 0, kSC, 44},  {"Hal Ames", 3, kDF, 42}, {"Hal Ames", 3, kDF, 42},
        {"Ann Kell", 3, kDF, 108}, {"Cy Moor", 4, kDU, 106}, {"Dee Lorn", 3, kDF, 48},
        {"Bo Rand", 0, kSC, 77},   {"Eli Voss", 1, kSC, 44}, {"Gil Hart", 0, kSC, 11},
        {"", 0, kSC, 0},           {"", 0, kSC, 0},          {"", 0, kSC, 0}};
    const LeagueData earlier = League({"Alpha", "Bravo", "Cobra"}, then);
    const LeagueData current = League({"Cobra", "Alpha", "Bravo", "Delta"}, now);
    const SeasonMatch match(current.RosterFileImage, 12, earlier.RosterFileImage, 9);
    ASSERT_EQ(match.Counts(), (SeasonCounts{6, 1, 2, 2}));
    using Shown = std::pair<std::vector<std::int32_t>, std::int64_t>;
    const auto movers = [&match](ChangeSide side, int position, std::size_t limit) {
        const CappedList<std::int32_t> list = OverallMovers(match, side, position, limit);
        return Shown(list.shown, list.total);
    };
    EXPECT_EQ(movers(ChangeSide::kRisers, kAnyPosition, 50), Shown({3, 0, 6, 4}, 4));
    EXPECT_EQ(movers(ChangeSide::kRisers, kAnyPosition, 2), Shown({3, 0}, 4));
    EXPECT_EQ(movers(ChangeSide::kRisers, 0, 50), Shown({0, 6}, 2));
    EXPECT_EQ(movers(ChangeSide::kFallers, kAnyPosition, 50), Shown({5}, 1));
    EXPECT_EQ(movers(ChangeSide::kFallers, 0, 50), Shown({}, 0));

    std::vector<std::vector<std::int64_t>> seen;
    for (const GonePlayer& g : GonePlayers(match, earlier, kAnyPosition, 50).shown)
        seen.push_back({g.earlierRecord, g.earlierTeam});
    EXPECT_EQ(seen, (std::vector<std::vector<std::int64_t>>{{5, 1}, {6, 2}}));
    EXPECT_EQ(GonePlayers(match, earlier, 3, 50).shown.size(), 1u);
    seen.clear();
    for (const TeamChange& t : TeamChanges(match, current, earlier, kAnyPosition, 1).shown)
        seen.push_back({t.currentRecord, t.currentTeam, t.earlierRecord, t.earlierTeam});
    EXPECT_EQ(seen, (std::vector<std::vector<std::int64_t>>{{5, 1, 3, 1}}));
    EXPECT_EQ(TeamChanges(match, current, earlier, kAnyPosition, 1).total, 2);
    EXPECT_EQ(TeamChanges(match, current, earlier, 0, 50).shown.size(), 1u);
}

}  // namespace
}  // namespace vantrel
