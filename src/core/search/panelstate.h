#pragma once

// The criteria panel as one value, and its rules: the Reset state, one criterion set back
// to neutral (the search report's Relax), and what a state searches for. The window reads
// and writes this value; it never decides these rules itself.

#include "core/league/records.h"
#include "core/score/scoreweights.h"
#include "core/search/changecriteria.h"
#include "core/search/playerfilter.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

// The panel's controls as values; a default-made state is the Reset panel. Texts are
// UTF-8 as the user sees them.
struct PanelState {
    std::string team;                              // the team list's entry; empty for "<All>"
    std::string name = "*";                        // the name edit
    int status = 0, assignment = 0, position = 0;  // radio items, 0 = "<All>"
    int ageMin = 18, ageMax = 40;                  // the trackbars
    std::string salaryFrom, salaryTo;              // the salary edits
    int all = 0;                                   // the master trackbar of the ratings
    std::array<RatingCriterion, kRatingCriteriaCount> ratings{};  // RatingIndex order, OV last
    ChangeCriteria changes;  // no control of their own: set by text, cleared by Reset
    // The user's own score: its weights make the list's "Score" column and stay over a
    // Reset, which clears only the bounds.
    ScoreCriteria score;

    bool operator==(const PanelState&) const = default;
};

// The ranges of the panel's trackbars.
struct PanelLimits {
    int ageLow = 18, ageHigh = 40;
    int ratingHigh = 100;
    // The longest text an edit holds; a longer one would be cut short there.
    int textMax = 32767;
};

// The state with one criterion (a CriterionId) back at its Reset value; an unknown
// criterion leaves the state as it is. The master trackbar is no criterion of its own.
PanelState Relaxed(const PanelState& state, int criterion);

// A salary edit's text as a bound. An empty text gives no bound; a text that gives none
// although it was typed (not a whole number, or the value that means none) is refused,
// which the window shows in red.
struct SalaryBound {
    std::int32_t value = 0;
    bool refused = false;
};
SalaryBound LowerSalaryBound(std::string_view text);  // no bound: -1 (any value <= -1)
SalaryBound UpperSalaryBound(std::string_view text);  // no bound: 2147483647

// What the window knows of the panel beyond its values: the team record the selected
// entry stands for (-1 for "<All>") and the age trackbars' range ends.
struct PanelContext {
    int teamIndex = -1;
    int ageLow = 18, ageHigh = 40;
};

// The criteria a search of this state applies. The name is searched as Windows-1252
// bytes; a name with a character that has none can match nobody.
SearchCriteria SearchCriteriaOf(const PanelState& state, const PanelContext& context);

}  // namespace vantrel
