// The league average must be the mean of exactly the OverallValue of every named player:
// one record counted with a value off by one changes the sum, and so the average.

#include "core/eval/overall.h"

#include "core/eval/leaguerank.h"
#include "core/league/leaguedata.h"
#include "core/league/programerror.h"
#include "core/league/records.h"
#include "leaguegen.h"
#include "support/byteimage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string_view>
#include <vector>

namespace vantrel {
namespace {

using leaguegen::PlayerBuilder;
using Ratings = std::array<std::uint8_t, kStoredRatingCount>;

// A league of `teams` teams whose roster holds exactly these records.
LeagueData LeagueOf(const std::vector<PlayerBuilder>& records, int teams = 1) {
    std::vector<std::uint8_t> bytes;
    for (const PlayerBuilder& record : records)
        record.AppendTo(bytes);
    LeagueData league;
    league.TeamFileImage = testsupport::SharedImageOf(
        std::vector<std::uint8_t>(static_cast<std::size_t>(teams) * kTeamRecordSize));
    league.TeamFileSize = static_cast<std::int32_t>(league.TeamFileImage->size);
    league.RosterFileImage = testsupport::SharedImageOf(bytes);
    league.RosterFileSize = static_cast<std::int32_t>(bytes.size());
    league.ComputeGeometry();
    return league;
}

PlayerBuilder Player(std::string_view name, int position, const Ratings& ratings) {
    return PlayerBuilder()
        .Name(name)
        .Position(static_cast<std::uint8_t>(position))
        .Ratings(ratings);
}

PlayerBuilder Named(int position, const Ratings& ratings) {
    return Player("Named Player", position, ratings);
}

// The mean as defined: OverallValue of each named record summed in file order as a
// double, the quotient formed in extended precision.
double ReferenceAverage(const std::vector<PlayerBuilder>& records) {
    double sum = 0;
    std::int64_t count = 0;
    for (const PlayerBuilder& record : records) {
        const auto bytes = record.Build();
        if (!IsNamedPlayer(bytes.data()))
            continue;
        sum += OverallValue(bytes.data());
        ++count;
    }
    if (count == 0)
        return 0;
    return static_cast<double>(static_cast<long double>(sum) / static_cast<long double>(count));
}

const Ratings kCentre = {70, 65, 60, 75, 80, 70, 72, 68, 66, 50, 74, 55, 40};  // OV 71
const Ratings kGoalie = {85, 80, 78, 70, 75, 70, 82, 60, 77, 30, 25, 65, 50};  // OV 74

TEST(LeagueAverageOverall, MeanOverNamedPlayers) {
    const LeagueData league = LeagueOf({
        Player("Anders Berg", 0, kCentre), Player("", 0, kCentre),  // empty slot
        Player("X", 4, kGoalie),                                    // one character: empty slot
        Player("  Y  ", 4, kGoalie),                                // trimmed to one character
        Player("Jo", 4, kGoalie),
        Player("Nobody", 9, kCentre),  // named, outside 0..4: counts with OV 0
    });
    ASSERT_TRUE(league.IsLoaded());
    EXPECT_EQ(LeagueAverageOverall(league), (71.0 + 74.0 + 0.0) / 3.0);
}

TEST(LeagueAverageOverall, EmptyLeagueIsZero) {
    const LeagueData league = LeagueOf({PlayerBuilder(), Player("A", 0, kCentre), PlayerBuilder()});
    ASSERT_TRUE(league.IsLoaded());
    EXPECT_EQ(LeagueAverageOverall(league), 0.0);
}

TEST(LeagueAverageOverall, OnlyPositionNineIsZero) {
    const LeagueData league =
        LeagueOf({Player("Nine One", 9, kCentre), Player("Nine Two", 9, kGoalie)});
    EXPECT_EQ(LeagueAverageOverall(league), 0.0);
}

TEST(LeagueAverageOverall, CountsEveryTeamBlock) {
    std::vector<PlayerBuilder> records;
    for (int i = 0; i < 6; ++i)
        records.push_back(i % 2 == 0 ? Player("Player", 0, kCentre) : Player("Player", 4, kGoalie));
    const LeagueData league = LeagueOf(records, 3);
    ASSERT_EQ(league.PlayersPerTeam, 2);
    EXPECT_EQ(LeagueAverageOverall(league), 72.5);
}

TEST(LeagueAverageOverall, OneRecordJustBelowAWholeNumberCounts) {
    // OV 100.99999999999976: OverallValue gives 101, the plain integer part would be 100.
    const Ratings goalie = {42, 107, 1, 50, 60, 60, 86, 228, 206, 0, 0, 60, 60};
    EXPECT_EQ(LeagueAverageOverall(LeagueOf({Named(4, goalie)})), 101.0);
    // With a whole-number OV beside it, a forward of all zeros: exactly 5.
    EXPECT_EQ(LeagueAverageOverall(LeagueOf({Named(4, goalie), Named(0, Ratings{})})),
              (101.0 + 5.0) / 2);
}

TEST(LeagueAverageOverall, RandomRecordsOfEveryPosition) {
    std::mt19937 random(20240607);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<PlayerBuilder> records;
    for (int i = 0; i < 200001; ++i) {  // odd: the last part holds the record left over
        Ratings ratings{};
        for (std::uint8_t& r : ratings)
            r = static_cast<std::uint8_t>(i % 3 ? byte(random) : byte(random) % 101);
        records.push_back(Named(i % 7, ratings));
    }
    // Enough records for a part per core: the parts' sums and ranks must add up to one pass.
    LeagueRanks ranks;
    EXPECT_EQ(LeagueAverageOverall(LeagueOf(records), &ranks), ReferenceAverage(records));
    LeagueRanks onePass;
    for (const PlayerBuilder& record : records) {
        const auto bytes = record.Build();
        onePass.Add(bytes.data(), OverallValue(bytes.data()));
    }
    onePass.Finish();
    for (const RankGroup group : {RankGroup::kSkaters, RankGroup::kGoalies}) {
        for (int rating = 0; rating <= 13; ++rating) {
            for (int value = 0; value < LeagueRanks::kBins; value += 7)
                ASSERT_EQ(ranks.RankOf(group, rating, value).rank,
                          onePass.RankOf(group, rating, value).rank)
                    << rating << " " << value;
        }
        EXPECT_EQ(ranks.GroupSize(group), onePass.GroupSize(group));
    }
}

TEST(LeagueAverageOverall, WholeNumberDefendersAndForwards) {
    // Ratings that make OV a whole number or come close to one, where a quick estimate
    // may fall on either side of it.
    std::vector<PlayerBuilder> records;
    for (int position : {0, 3, 4}) {
        for (int a = 0; a < 256; a += 5) {
            for (int b = 0; b < 256; b += 17) {
                const auto x = static_cast<std::uint8_t>(a);
                const auto y = static_cast<std::uint8_t>(b);
                const auto z = static_cast<std::uint8_t>(255 - a);
                records.push_back(Named(position, {x, y, x, y, 68, 68, x, y, x, y, z, 68, 68}));
            }
        }
    }
    EXPECT_EQ(LeagueAverageOverall(LeagueOf(records)), ReferenceAverage(records));
}

TEST(LeagueAverageOverall, ThrowsWithoutRoster) {
    LeagueData league = LeagueOf({Player("Anders Berg", 0, kCentre)});
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
    LeagueData league = LeagueOf({Player("Anders Berg", 0, kCentre)});
    league.PlayersPerTeam = 0;
    EXPECT_THROW(LeagueAverageOverall(league), ProgramError);
    league.PlayersPerTeam = -1;
    EXPECT_THROW(LeagueAverageOverall(league), ProgramError);
}

TEST(LeagueAverageOverall, ThrowsOnEmptyImage) {
    LeagueData league = LeagueOf({Player("Anders Berg", 0, kCentre)});
    auto empty = std::make_shared<ByteImage>();
    league.RosterFileImage = empty;
    EXPECT_THROW(LeagueAverageOverall(league), ProgramError);
}

TEST(LeagueAverageOverall, NeverReadsPastTheImage) {
    // The recorded size claims more records than the image holds.
    LeagueData league = LeagueOf({Player("Anders Berg", 0, kCentre)});
    league.RosterFileSize = 100 * kPlayerRecordSize;
    EXPECT_EQ(LeagueAverageOverall(league), 71.0);
}

TEST(LeagueAverageOverall, IgnoresATrailingPartialRecord) {
    LeagueData league = LeagueOf({Player("Anders Berg", 0, kCentre), Player("Jo", 4, kGoalie)});
    const std::uint8_t* bytes = league.RosterFileImage->data.get();
    league.RosterFileImage = testsupport::SharedImageOf({bytes, bytes + kPlayerRecordSize + 40});
    league.RosterFileSize = kPlayerRecordSize + 40;
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
    const LeagueData league = LeagueOf({
        Player("Anders Berg", 0, kCentre),
        Player("Jo", 4, kGoalie),
        Player("Nobody", 9, kCentre),
    });
    EXPECT_EQ(LeagueAverageText(LeagueAverageOverall(league), "."), "48.3");  // 145 / 3
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// The rank of every rating of every named player, built in the average's pass, against a
// count over the league: 1 + the players of the same group (goalies are position 4, every
// other code a skater) with a higher value. Ratings from a narrow range make ties common;
// every position code 0..8 and unnamed slots are mixed in.
TEST(LeagueRanks, AgreeWithACountOverTheLeague) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> narrow(60, 75);
    std::vector<PlayerBuilder> records;
    for (int i = 0; i < 600; ++i) {
        Ratings ratings{};
        for (std::uint8_t& r : ratings)
            r = static_cast<std::uint8_t>(narrow(random));
        records.push_back(Player(i % 11 ? "Named Player" : "", i % 9, ratings));
    }
    LeagueRanks ranks;
    LeagueAverageOverall(LeagueOf(records), &ranks);

    std::vector<std::array<std::uint8_t, kPlayerRecordSize>> named;
    for (const PlayerBuilder& record : records) {
        if (IsNamedPlayer(record.Build().data()))
            named.push_back(record.Build());
    }
    const auto valueOf = [](const auto& r, int rating) {
        return rating == kOverallIndex ? OverallValue(r.data())
                                       : PlayerRecord(r.data()).Rating(rating);
    };
    const auto isGoalie = [](const auto& r) { return r[player::kPosition] == 4; };
    for (const auto& player : named) {
        const RankGroup group = isGoalie(player) ? RankGroup::kGoalies : RankGroup::kSkaters;
        for (int rating = 0; rating <= kOverallIndex; ++rating) {
            const double value = valueOf(player, rating);
            std::int64_t higher = 0, of = 0;
            for (const auto& other : named) {
                if (isGoalie(other) != isGoalie(player))
                    continue;
                ++of;
                higher += valueOf(other, rating) > value ? 1 : 0;
            }
            const LeagueRank rank = ranks.RankOf(group, rating, value);
            ASSERT_EQ(rank.rank, higher + 1) << "rating " << rating;
            ASSERT_EQ(rank.of, of);
        }
    }
}

TEST(LeagueRanks, OnePlayerIsFirstOfOneAndTheTextsSayIt) {
    LeagueRanks ranks;
    Ratings ratings{};
    ratings[kSK] = 85;
    LeagueAverageOverall(LeagueOf({Named(0, ratings)}), &ranks);
    const LeagueRank first = ranks.RankOf(RankGroup::kSkaters, kSK, 85);
    EXPECT_EQ(RankText(kSK, 85, first, RankGroup::kSkaters),
              "SK 85: rank 1 of 1 skater, top 100 %");
    EXPECT_EQ(ranks.GroupSize(RankGroup::kGoalies), 0);
    EXPECT_EQ(RankText(kSK, 50, ranks.RankOf(RankGroup::kGoalies, kSK, 50), RankGroup::kGoalies),
              "SK 50: no goalie in the league");
    EXPECT_EQ(RankText(kSK, 85, LeagueRank{12, 540, 3}, RankGroup::kSkaters),
              "SK 85: rank 12 of 540 skaters, top 3 %");
}

// The second of three is in the top 67 %: the share is rounded up, never down.
TEST(LeagueRanks, TopShareIsRoundedUp) {
    LeagueRanks ranks;
    std::vector<PlayerBuilder> three;
    for (const std::uint8_t sk : {90, 80, 70}) {
        Ratings ratings{};
        ratings[kSK] = sk;
        three.push_back(Named(0, ratings));
    }
    LeagueAverageOverall(LeagueOf(three), &ranks);
    EXPECT_EQ(TopPercentText(ranks.RankOf(RankGroup::kSkaters, kSK, 80)), "top 67 %");
}

}  // namespace
}  // namespace vantrel
