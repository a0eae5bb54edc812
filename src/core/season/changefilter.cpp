#include "core/season/changefilter.h"

#include "core/eval/vocabulary.h"
#include "core/season/seasonmatch.h"

#include <algorithm>

namespace vantrel {

bool PassesChanges(const ChangeCriteria& criteria, const SeasonMatch& match,
                   std::int32_t currentIndex) {
    const std::int32_t earlier = match.EarlierOf(currentIndex);
    if (criteria.season == SeasonWanted::kNew && earlier != kNewPlayer)
        return false;
    if (criteria.season == SeasonWanted::kMatched && earlier < 0)
        return false;
    for (int rating = 0; rating < kRatingCriteriaCount; ++rating) {
        const ChangeBound& bound = criteria.changes[std::size_t(rating)];
        if (!bound.IsSet())
            continue;
        const std::optional<int> change = match.RatingChange(currentIndex, rating);
        if (!change || !bound.Holds(*change))
            return false;
    }
    return true;
}

void KeepPassingChanges(const ChangeCriteria& criteria, const SeasonMatch& match,
                        std::vector<std::int32_t>& found) {
    if (!criteria.IsActive())
        return;
    std::erase_if(found,
                  [&](std::int32_t record) { return !PassesChanges(criteria, match, record); });
}

namespace {

std::string BoundWords(int rating, const ChangeBound& bound) {
    const std::string name(RatingAbbrev(rating));
    if (bound.atLeast && bound.atMost && *bound.atLeast == *bound.atMost)
        return name + " " + ChangeText(*bound.atLeast);
    std::string words;
    if (bound.atLeast)
        words = name + " " + ChangeText(*bound.atLeast) + " or more";
    if (bound.atMost)
        words += (words.empty() ? "" : ", ") + name + " " + ChangeText(*bound.atMost) + " or less";
    return words;
}

}  // namespace

std::string ChangeCriteriaLine(const ChangeCriteria& criteria) {
    if (!criteria.IsActive())
        return {};
    std::string line = "Since the earlier season:";
    const char* separator = " ";
    // OV first: the change most searches are about.
    for (const int rating : {int(kOV), 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}) {
        const ChangeBound& bound = criteria.changes[std::size_t(rating)];
        if (!bound.IsSet())
            continue;
        line += separator + BoundWords(rating, bound);
        separator = ", ";
    }
    if (criteria.season == SeasonWanted::kNew)
        line += std::string(separator) + "new players only";
    if (criteria.season == SeasonWanted::kMatched)
        line += std::string(separator) + "matched players only";
    return line;
}

}  // namespace vantrel
