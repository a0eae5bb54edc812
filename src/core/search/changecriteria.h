#pragma once

// Criteria on the change of a player since an earlier season: a range for the change of
// each rating and of OV, and whether only new or only matched players are wanted. They
// have no control in the panel; the criteria text sets them.

#include "core/league/records.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

// Which players of the current season a search keeps by their match.
enum class SeasonWanted : std::uint8_t { kAny, kNew, kMatched };

// The bounds of one change, both inclusive; none set: no test.
struct ChangeBound {
    std::optional<int> atLeast;
    std::optional<int> atMost;

    bool IsSet() const { return atLeast.has_value() || atMost.has_value(); }
    bool Holds(int change) const {
        return (!atLeast || change >= *atLeast) && (!atMost || change <= *atMost);
    }
    bool operator==(const ChangeBound&) const = default;
};

struct ChangeCriteria {
    std::array<ChangeBound, kRatingCriteriaCount> changes{};  // RatingIndex order, OV last
    SeasonWanted season = SeasonWanted::kAny;

    // Whether any change or a season wish is set: such a search needs an earlier season.
    bool IsActive() const {
        if (season != SeasonWanted::kAny)
            return true;
        for (const ChangeBound& bound : changes)
            if (bound.IsSet())
                return true;
        return false;
    }
    bool operator==(const ChangeCriteria&) const = default;
};

// A change as the list, the criteria text and the windows write it: "+3", "-2", "0".
// Appended piece by piece: GCC 12 at -O3 takes "+" + to_string() for overlapping copies.
inline std::string ChangeText(int change) {
    std::string text = change > 0 ? "+" : "";
    text += std::to_string(change);
    return text;
}

}  // namespace vantrel
