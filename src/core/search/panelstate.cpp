#include "core/search/panelstate.h"

#include "core/eval/cp1252.h"
#include "core/eval/numbertext.h"

#include <limits>
#include <optional>

namespace vantrel {

namespace {

constexpr std::int32_t kNoUpperBound = std::numeric_limits<std::int32_t>::max();

SalaryBound SalaryBoundOf(std::string_view text, std::int32_t noBound, bool isUpper) {
    if (text.empty())
        return {noBound, false};
    const std::int32_t value = ParseInt32(text).value_or(noBound);
    const bool givesNone = isUpper ? value >= kNoUpperBound : value <= -1;
    return {value, givesNone};
}

}  // namespace

PanelState Relaxed(const PanelState& state, int criterion) {
    const PanelState reset;
    PanelState relaxed = state;
    switch (criterion) {
        case kTeamCriterion:
            relaxed.team = reset.team;
            break;
        case kNameCriterion:
            relaxed.name = reset.name;
            break;
        case kStatusCriterion:
            relaxed.status = reset.status;
            break;
        case kAssignmentCriterion:
            relaxed.assignment = reset.assignment;
            break;
        case kPositionCriterion:
            relaxed.position = reset.position;
            break;
        case kAgeMinCriterion:
            relaxed.ageMin = reset.ageMin;
            break;
        case kAgeMaxCriterion:
            relaxed.ageMax = reset.ageMax;
            break;
        case kSalaryMinCriterion:
            relaxed.salaryFrom = reset.salaryFrom;
            break;
        case kSalaryMaxCriterion:
            relaxed.salaryTo = reset.salaryTo;
            break;
        default: {
            const int rating = criterion - kFirstRatingCriterion;
            if (rating >= 0 && rating < kRatingCriteriaCount)
                relaxed.ratings[static_cast<std::size_t>(rating)] = RatingCriterion{};
        }
    }
    return relaxed;
}

SalaryBound LowerSalaryBound(std::string_view text) {
    return SalaryBoundOf(text, -1, false);
}

SalaryBound UpperSalaryBound(std::string_view text) {
    return SalaryBoundOf(text, kNoUpperBound, true);
}

SearchCriteria SearchCriteriaOf(const PanelState& state, const PanelContext& context) {
    SearchCriteria c;
    c.teamIndex = context.teamIndex;
    c.ageMinPosition = state.ageMin;
    c.ageMaxPosition = state.ageMax;
    c.ageRangeMin = context.ageLow;
    c.ageRangeMax = context.ageHigh;
    c.statusItem = state.status;
    c.teamItem = state.assignment;
    c.positionItem = state.position;
    c.salaryMin = LowerSalaryBound(state.salaryFrom).value;
    c.salaryMax = UpperSalaryBound(state.salaryTo).value;
    c.ratings = state.ratings;
    const std::optional<std::string> pattern = Utf8ToCp1252(state.name);
    c.namePattern = pattern.value_or(std::string());
    c.namePatternEncodable = pattern.has_value();
    return c;
}

}  // namespace vantrel
