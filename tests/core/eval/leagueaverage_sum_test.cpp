// The league average must be the mean of exactly the OverallValue of every named player:
// one record counted with a value off by one changes the sum, and so the average.

#include "core/eval/overall.h"

#include "core/eval/testrecord.h"
#include "core/league/leaguedata.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace vantrel {
namespace {

using testing::Ratings;
using testing::TestRecord;

LeagueData LeagueOf(const std::vector<TestRecord>& records) {
    auto roster = std::make_shared<ByteImage>();
    roster->size = records.size() * kPlayerRecordSize;
    roster->data = std::make_unique<std::uint8_t[]>(roster->size);
    for (std::size_t i = 0; i < records.size(); ++i)
        std::memcpy(roster->data.get() + i * kPlayerRecordSize, records[i].data(),
                    kPlayerRecordSize);
    auto team = std::make_shared<ByteImage>();
    team->size = kTeamRecordSize;
    team->data = std::make_unique<std::uint8_t[]>(team->size);
    LeagueData league;
    league.TeamFileImage = team;
    league.TeamFileSize = kTeamRecordSize;
    league.RosterFileImage = roster;
    league.RosterFileSize = static_cast<std::int32_t>(roster->size);
    league.ComputeGeometry();
    return league;
}

// The mean as defined: OverallValue of each named record summed in file order as a
// double, the quotient formed in extended precision.
double ReferenceAverage(const std::vector<TestRecord>& records) {
    double sum = 0;
    std::int64_t count = 0;
    for (const TestRecord& record : records) {
        if (!IsNamedPlayer(record.data()))
            continue;
        sum += OverallValue(record.data());
        ++count;
    }
    if (count == 0)
        return 0;
    return static_cast<double>(static_cast<long double>(sum) / static_cast<long double>(count));
}

TestRecord Named(int position, const Ratings& ratings) {
    TestRecord record(position, ratings);
    record.SetName("Named Player");
    return record;
}

TEST(LeagueAverageSum, RandomRecordsOfEveryPosition) {
    std::mt19937 random(20240607);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<TestRecord> records;
    for (int i = 0; i < 200000; ++i) {
        Ratings ratings{};
        for (int& r : ratings)
            r = i % 3 ? byte(random) : byte(random) % 101;
        records.push_back(Named(i % 7, ratings));
    }
    EXPECT_EQ(LeagueAverageOverall(LeagueOf(records)), ReferenceAverage(records));
}

TEST(LeagueAverageSum, OneRecordJustBelowAWholeNumberCounts) {
    // OV 100.99999999999976: OverallValue gives 101, the plain integer part would be 100.
    const Ratings goalie = {42, 107, 1, 50, 60, 60, 86, 228, 206, 0, 0, 60, 60};
    // A whole-number OV, for a forward of all zeros: exactly 5.
    std::vector<TestRecord> records = {Named(4, goalie), Named(0, Ratings{})};
    ASSERT_EQ(OverallValue(records[0].data()), 101);
    EXPECT_EQ(LeagueAverageOverall(LeagueOf(records)), (101.0 + 5.0) / 2);
}

TEST(LeagueAverageSum, WholeNumberDefendersAndForwards) {
    // Ratings that make OV a whole number or come close to one, where a quick estimate
    // may fall on either side of it.
    std::vector<TestRecord> records;
    for (int position : {0, 3, 4}) {
        for (int a = 0; a < 256; a += 5) {
            for (int b = 0; b < 256; b += 17) {
                Ratings ratings = {a, b, a, b, 68, 68, a, b, a, b, 255 - a, 68, 68};
                records.push_back(Named(position, ratings));
            }
        }
    }
    EXPECT_EQ(LeagueAverageOverall(LeagueOf(records)), ReferenceAverage(records));
}

}  // namespace
}  // namespace vantrel
