#include "core/season/changefilter.h"

#include "core/eval/vocabulary.h"
#include "core/league/corestretches.h"
#include "core/season/seasonmatch.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace vantrel {

namespace {

// The criteria taken apart once: the season wish and the changes that are bounded.
class ChangeTest {
  public:
    explicit ChangeTest(const ChangeCriteria& criteria) : criteria_(criteria) {
        for (int rating = 0; rating < kRatingCriteriaCount; ++rating)
            if (criteria.changes[std::size_t(rating)].IsSet())
                bounded_.push_back(rating);
        // The usual search, dOV alone, reads one array of two bytes a record.
        onlyOverall_ = criteria.season == SeasonWanted::kAny && bounded_ == std::vector<int>{kOV};
    }

    bool Passes(const SeasonMatch& match, std::int32_t currentIndex) const {
        if (onlyOverall_) {
            const std::span<const std::int16_t> changes = match.OverallChanges();
            const std::int16_t change =
                currentIndex >= 0 && std::size_t(currentIndex) < changes.size()
                    ? changes[std::size_t(currentIndex)]
                    : SeasonMatch::kNoChange;
            return change != SeasonMatch::kNoChange && criteria_.changes[kOV].Holds(change);
        }
        const std::span<const std::int32_t> earlierOf = match.EarlierIndices();
        const std::int32_t earlier =
            currentIndex >= 0 && std::size_t(currentIndex) < earlierOf.size()
                ? earlierOf[std::size_t(currentIndex)]
                : kNoPlayer;
        if (criteria_.season == SeasonWanted::kNew && earlier != kNewPlayer)
            return false;
        if (criteria_.season == SeasonWanted::kMatched && earlier < 0)
            return false;
        if (bounded_.empty())
            return true;
        if (earlier < 0)
            return false;  // no change to bound
        for (const int rating : bounded_) {
            const int change = rating == kOV ? match.OverallChanges()[std::size_t(currentIndex)]
                                             : *match.RatingChange(currentIndex, rating);
            if (!criteria_.changes[std::size_t(rating)].Holds(change))
                return false;
        }
        return true;
    }

  private:
    const ChangeCriteria& criteria_;
    std::vector<int> bounded_;
    bool onlyOverall_ = false;
};

}  // namespace

bool PassesChanges(const ChangeCriteria& criteria, const SeasonMatch& match,
                   std::int32_t currentIndex) {
    return ChangeTest(criteria).Passes(match, currentIndex);
}

// Each core keeps the passing records of its stretch at the stretch's front; the kept
// parts then close up in order.
void KeepPassingChanges(const ChangeCriteria& criteria, const SeasonMatch& match,
                        std::vector<std::int32_t>& found) {
    if (!criteria.IsActive())
        return;
    const ChangeTest test(criteria);
    const std::vector<std::int64_t> bounds = StretchBounds(std::int64_t(found.size()));
    std::vector<std::int64_t> kept(bounds.size() - 1);
    InEachStretch(bounds, [&](std::size_t k, std::int64_t begin, std::int64_t end) {
        const auto first = found.begin() + begin;
        kept[k] = std::remove_if(first, found.begin() + end,
                                 [&](std::int32_t record) { return !test.Passes(match, record); }) -
                  first;
    });
    auto to = found.begin();
    for (std::size_t k = 0; k < kept.size(); ++k) {
        const auto from = found.begin() + bounds[k];
        to = std::move(from, from + kept[k], to);
    }
    found.erase(to, found.end());
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
