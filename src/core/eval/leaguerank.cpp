#include "core/eval/leaguerank.h"

#include "core/eval/vocabulary.h"
#include "core/league/records.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {

constexpr int kGoaliePosition = 4;

std::size_t GroupSlot(RankGroup group) {
    return group == RankGroup::kGoalies ? 1 : 0;
}

std::size_t Bin(double value) {
    if (!(value > 0))
        return 0;  // NaN too
    return static_cast<std::size_t>(std::min<double>(std::floor(value), LeagueRanks::kBins - 1));
}

}  // namespace

RankGroup RankGroupOf(const std::uint8_t* record) {
    return PlayerRecord(record).Position() == kGoaliePosition ? RankGroup::kGoalies
                                                              : RankGroup::kSkaters;
}

bool ShowsRating(RankGroup group, int ratingIndex) {
    return group != RankGroup::kGoalies || (ratingIndex != kDF && ratingIndex != kSC);
}

void LeagueRanks::Add(const std::uint8_t* record, double overallValue) {
    const std::size_t group = GroupSlot(RankGroupOf(record));
    auto& bins = bins_[group];
    const std::uint8_t* ratings = record + player::kRatings;
    for (std::size_t i = 0; i < kStoredRatingCount; ++i)
        ++bins[i][ratings[i]];
    ++bins[kOverallIndex][Bin(overallValue)];
    ++groupSize_[group];
}

void LeagueRanks::Add(const LeagueRanks& part) {
    for (std::size_t group = 0; group < bins_.size(); ++group) {
        for (std::size_t rating = 0; rating < bins_[group].size(); ++rating) {
            for (std::size_t v = 0; v < kBins; ++v)
                bins_[group][rating][v] += part.bins_[group][rating][v];
        }
        groupSize_[group] += part.groupSize_[group];
    }
}

void LeagueRanks::Finish() {
    for (auto& group : bins_) {
        for (Bins& bins : group) {
            std::uint32_t above = 0;
            for (std::size_t v = bins.size(); v-- > 0;) {
                const std::uint32_t here = bins[v];
                bins[v] = above;
                above += here;
            }
        }
    }
}

LeagueRank LeagueRanks::RankOf(RankGroup group, int ratingIndex, double value) const {
    const std::size_t slot = GroupSlot(group);
    LeagueRank rank;
    rank.of = groupSize_[slot];
    if (ratingIndex < 0 || ratingIndex > kOverallIndex || rank.of == 0)
        return rank;
    rank.rank = 1 + bins_[slot][static_cast<std::size_t>(ratingIndex)][Bin(value)];
    rank.topPercent = static_cast<int>((rank.rank * 100 + rank.of - 1) / rank.of);
    return rank;
}

std::int64_t LeagueRanks::GroupSize(RankGroup group) const {
    return groupSize_[GroupSlot(group)];
}

std::string TopPercentText(const LeagueRank& rank) {
    return rank.of > 0 ? "top " + std::to_string(rank.topPercent) + " %" : std::string();
}

std::string RankText(int ratingIndex, double value, const LeagueRank& rank, RankGroup group) {
    std::string text = std::string(RatingAbbrev(ratingIndex)) + " " +
                       std::to_string(static_cast<long long>(value)) + ": ";
    const bool goalies = group == RankGroup::kGoalies;
    if (rank.of == 0)
        return text + (goalies ? "no goalie in the league" : "no skater in the league");
    text += "rank " + std::to_string(rank.rank) + " of " + std::to_string(rank.of) + " ";
    text += goalies ? (rank.of == 1 ? "goalie" : "goalies") : (rank.of == 1 ? "skater" : "skaters");
    return text + ", " + TopPercentText(rank);
}

}  // namespace vantrel
