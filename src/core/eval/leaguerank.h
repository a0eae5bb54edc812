#pragma once

// Where a rating stands in the loaded league: for each of the 13 stored ratings and OV,
// how many named players of the same group (goalies or skaters) have a higher value.
// Built in the pass that computes the league average; a lookup is one array read.

#include "core/league/records.h"

#include <array>
#include <cstdint>
#include <string>

namespace vantrel {

enum class RankGroup { kSkaters, kGoalies };

// The group of a player record: goalies (position 4), everybody else skaters.
RankGroup RankGroupOf(const std::uint8_t* record);
// Whether a player's pages show a rating (RatingIndex, OV last): goalies show no DF or SC.
bool ShowsRating(RankGroup group, int ratingIndex);

struct LeagueRank {
    std::int64_t rank = 0;  // 1 + the players of the group with a higher value
    std::int64_t of = 0;    // the named players of the group
    int topPercent = 0;     // rank / of in whole percent, rounded up; 0 when of is 0
};

class LeagueRanks {
  public:
    // OV is a whole number below 262; every other rating is a byte.
    static constexpr int kBins = 262;

    // A named player, with the whole-number OV its chart bar shows.
    void Add(const std::uint8_t* record, double overallValue);
    // Before Finish: the players another part of the roster added.
    void Add(const LeagueRanks& part);
    // After the last Add: turns the counts into the players above each value.
    void Finish();

    // ratingIndex: RatingIndex, 13 for OV. A value outside the bins ranks as the nearest.
    LeagueRank RankOf(RankGroup group, int ratingIndex, double value) const;
    std::int64_t GroupSize(RankGroup group) const;

  private:
    using Bins = std::array<std::uint32_t, kBins>;
    // [group][rating]: while adding, players at each value; after Finish, above it.
    std::array<std::array<Bins, kRatingCriteriaCount>, 2> bins_{};
    std::array<std::int64_t, 2> groupSize_{};
};

// "SK 85: rank 12 of 540 skaters, top 3 %".
std::string RankText(int ratingIndex, double value, const LeagueRank& rank, RankGroup group);
// "top 3 %"; empty when the group is empty.
std::string TopPercentText(const LeagueRank& rank);

}  // namespace vantrel
