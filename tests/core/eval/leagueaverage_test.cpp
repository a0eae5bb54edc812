#include "core/eval/overall.h"

#include "core/eval/testrecord.h"
#include "core/league/leaguedata.h"
#include "core/league/programerror.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace vantrel {
namespace {

using testing::Ratings;
using testing::TestRecord;

// A league of one team whose roster holds the given records.
LeagueData MakeLeague(const std::vector<TestRecord>& records, int teams = 1) {
    auto roster = std::make_shared<ByteImage>();
    roster->size = records.size() * kPlayerRecordSize;
    roster->data = std::make_unique<std::uint8_t[]>(roster->size);
    for (std::size_t i = 0; i < records.size(); ++i) {
        std::memcpy(roster->data.get() + i * kPlayerRecordSize, records[i].data(), kPlayerRecordSize);
    }
    auto team = std::make_shared<ByteImage>();
    team->size = static_cast<std::size_t>(teams) * kTeamRecordSize;
    team->data = std::make_unique<std::uint8_t[]>(team->size);

    LeagueData league;
    league.TeamFileImage = team;
    league.TeamFileSize = static_cast<std::int32_t>(team->size);
    league.RosterFileImage = roster;
    league.RosterFileSize = static_cast<std::int32_t>(roster->size);
    league.ComputeGeometry();
    return league;
}

TestRecord Player(std::string_view name, int position, const Ratings& ratings) {
    TestRecord record(position, ratings);
    record.SetName(name);
    return record;
}

const Ratings kCentre = {70, 65, 60, 75, 80, 70, 72, 68, 66, 50, 74, 55, 40};  // OV 71
const Ratings kGoalie = {85, 80, 78, 70, 75, 70, 82, 60, 77, 30, 25, 65, 50};  // OV 74

TEST(LeagueAverageOverall, MeanOverNamedPlayers) {
    const LeagueData league = MakeLeague({
        Player("Anders Berg", 0, kCentre),
        Player("", 0, kCentre),        // empty slot
        Player("X", 4, kGoalie),       // one character: empty slot
        Player("  Y  ", 4, kGoalie),   // trimmed to one character
        Player("Jo", 4, kGoalie),
        Player("Nobody", 9, kCentre),  // named, outside 0..4: counts with OV 0
    });
    ASSERT_TRUE(league.IsLoaded());
    EXPECT_EQ(LeagueAverageOverall(league), (71.0 + 74.0 + 0.0) / 3.0);
}

TEST(LeagueAverageOverall, EmptyLeagueIsZero) {
    const LeagueData league = MakeLeague({TestRecord(), Player("A", 0, kCentre), TestRecord()});
    ASSERT_TRUE(league.IsLoaded());
    EXPECT_EQ(LeagueAverageOverall(league), 0.0);
}

TEST(LeagueAverageOverall, OnlyPositionNineIsZero) {
    const LeagueData league =
        MakeLeague({Player("Nine One", 9, kCentre), Player("Nine Two", 9, kGoalie)});
    EXPECT_EQ(LeagueAverageOverall(league), 0.0);
}

TEST(LeagueAverageOverall, CountsEveryTeamBlock) {
    std::vector<TestRecord> records;
    for (int i = 0; i < 6; ++i) records.push_back(Player("Player", i % 2 == 0 ? 0 : 4, i % 2 == 0 ? kCentre : kGoalie));
    const LeagueData league = MakeLeague(records, 3);
    ASSERT_EQ(league.PlayersPerTeam, 2);
    EXPECT_EQ(LeagueAverageOverall(league), 72.5);
}

TEST(LeagueAverageOverall, UsesOverallValueNotTheTruncatedText) {
    // A goalie whose OV lies 2.4e-13 below 101: it counts as 101.
    const LeagueData league =
        MakeLeague({Player("Close Call", 4, {42, 107, 1, 50, 60, 60, 86, 228, 206, 0, 0, 60, 60})});
    EXPECT_EQ(LeagueAverageOverall(league), 101.0);
}

TEST(LeagueAverageOverall, ThrowsWithoutRoster) {
    LeagueData league = MakeLeague({Player("Anders Berg", 0, kCentre)});
    league.RosterFileImage.reset();
    EXPECT_THROW(LeagueAverageOverall(league), ProgramError);
    try {
        LeagueAverageOverall(league);
    } catch (const ProgramError& error) {
        EXPECT_STREQ(error.what(), kSomethingsWrong);
    }
    EXPECT_THROW(LeagueAverageOverall(LeagueData{}), ProgramError);
}

TEST(LeagueAverageOverall, ThrowsWithoutPlayersPerTeam) {
    LeagueData league = MakeLeague({Player("Anders Berg", 0, kCentre)});
    league.PlayersPerTeam = 0;
    EXPECT_THROW(LeagueAverageOverall(league), ProgramError);
    league.PlayersPerTeam = -1;
    EXPECT_THROW(LeagueAverageOverall(league), ProgramError);
}

TEST(LeagueAverageOverall, ThrowsOnEmptyImage) {
    LeagueData league = MakeLeague({Player("Anders Berg", 0, kCentre)});
    auto empty = std::make_shared<ByteImage>();
    league.RosterFileImage = empty;
    EXPECT_THROW(LeagueAverageOverall(league), ProgramError);
}

TEST(LeagueAverageOverall, NeverReadsPastTheImage) {
    // The recorded size claims more records than the image holds.
    LeagueData league = MakeLeague({Player("Anders Berg", 0, kCentre)});
    league.RosterFileSize = 100 * kPlayerRecordSize;
    EXPECT_EQ(LeagueAverageOverall(league), 71.0);
}

TEST(LeagueAverageOverall, IgnoresATrailingPartialRecord) {
    LeagueData league = MakeLeague({Player("Anders Berg", 0, kCentre), Player("Jo", 4, kGoalie)});
    auto shorter = std::make_shared<ByteImage>();
    shorter->size = kPlayerRecordSize + 40;
    shorter->data = std::make_unique<std::uint8_t[]>(shorter->size);
    std::memcpy(shorter->data.get(), league.RosterFileImage->data.get(), shorter->size);
    league.RosterFileImage = shorter;
    league.RosterFileSize = static_cast<std::int32_t>(shorter->size);
    EXPECT_EQ(LeagueAverageOverall(league), 71.0);
}

TEST(LeagueAverageText, CutsToOneDecimal) {
    EXPECT_EQ(LeagueAverageText(65.37, "."), "65.3");
    EXPECT_EQ(LeagueAverageText(65.37, ","), "65,3");
    EXPECT_EQ(LeagueAverageText(64.99, "."), "64.9");
    EXPECT_EQ(LeagueAverageText(70.0, "."), "70");
    EXPECT_EQ(LeagueAverageText(65.1, "."), "65");  // the double 65.1 lies below 65.1
    EXPECT_EQ(LeagueAverageText(0.0, "."), "0");
    EXPECT_EQ(LeagueAverageText(72.5, ","), "72,5");
    EXPECT_EQ(LeagueAverageText(71.0 / 3.0 * 3.0, "."), "71");
    EXPECT_EQ(LeagueAverageText(260.0, "."), "260");
    EXPECT_EQ(LeagueAverageText(0.05, "."), "0");
    EXPECT_EQ(LeagueAverageText(0.1, "."), "0.1");
    EXPECT_EQ(LeagueAverageText(145.0 / 3.0, "."), "48.3");
}

TEST(LeagueAverageText, OfALeague) {
    const LeagueData league = MakeLeague({
        Player("Anders Berg", 0, kCentre),
        Player("Jo", 4, kGoalie),
        Player("Nobody", 9, kCentre),
    });
    EXPECT_EQ(LeagueAverageText(LeagueAverageOverall(league), "."), "48.3");  // 145 / 3
}

}  // namespace
}  // namespace vantrel
