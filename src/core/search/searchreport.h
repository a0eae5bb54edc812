#pragma once

// Why a search found whom it found: for each active criterion how many named players fail
// it and how many fail only it, and the players who miss by exactly one criterion. Every
// test is the filter's own, so the report cannot disagree with the list.

#include "core/search/playerfilter.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantrel {

struct ByteImage;

struct CriterionCount {
    int criterion = 0;  // CriterionId
    std::int64_t failing = 0;
    std::int64_t failingOnly = 0;
};

// A named player who fails exactly one criterion, and what that criterion compared.
struct NearMiss {
    std::int32_t record = 0;
    int criterion = 0;
    std::int64_t value = 0;
};

struct SearchReport {
    std::int64_t namedPlayers = 0;
    std::int64_t matches = 0;              // named players passing every criterion: the list
    std::int64_t failingAny = 0;           // named players failing at least one
    std::vector<CriterionCount> criteria;  // the active criteria, in CriterionId order
    std::vector<NearMiss> nearMisses;      // the nearest, at most the cap, nearest first
    std::int64_t nearMissTotal = 0;        // all of them, the cap not applied
};

inline constexpr std::size_t kNearMissCap = 10000;

// One pass over the first playerCount whole records of the image (never past its size).
// The near misses kept are the cap nearest of all (by MissDistance; misses without a
// distance last; ties in file order), listed nearest first.
SearchReport MakeSearchReport(const PlayerFilter& filter, const ByteImage& image,
                              std::int32_t playerCount, std::size_t nearMissCap = kNearMissCap);

// How far a near miss lies from its criterion's bound, for ordering nearest first: the
// distance for ages, salaries and ratings, -1 for criteria without one (team, name,
// status, assignment, position). PlayerFilter::MissDistance for a filter at hand.
std::int64_t NearMissGap(const SearchCriteria& criteria, const NearMiss& miss);

}  // namespace vantrel
