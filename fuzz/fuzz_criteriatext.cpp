// Criteria texts: any bytes either give a panel state within the panel's ranges whose text
// reads back to the same state and the same text, or name a bad token found in the input.

#include "core/search/criteriatext.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

void Check(bool condition, const char* what, std::string_view input) {
    if (condition)
        return;
    std::fprintf(stderr, "fuzz_criteriatext: %s: [%.*s]\n", what, static_cast<int>(input.size()),
                 input.data());
    std::abort();
}

// Deterministic stand-ins for the league's teams and the encodable names; an earlier
// season is open, so that the change keys are read too.
const vantrel::PanelChecks kChecks{
    [](const std::string& team) { return team.find('X') == std::string::npos; },
    [](const std::string& name) { return name.find('\xFF') == std::string::npos; },
    [] { return true; }};

bool WithinRanges(const vantrel::PanelState& s, const vantrel::PanelLimits& limits) {
    bool ok = s.status >= 0 && s.status < 3 && s.assignment >= 0 && s.assignment < 4 &&
              s.position >= 0 && s.position < 6 && limits.ageLow <= s.ageMin &&
              s.ageMin <= s.ageMax && s.ageMax <= limits.ageHigh && s.all >= 0 &&
              s.all <= limits.ratingHigh;
    for (const vantrel::RatingCriterion& r : s.ratings)
        ok = ok && r.threshold >= 0 && r.threshold <= limits.ratingHigh;
    for (const std::uint8_t weight : s.score.weights.weights)
        ok = ok && weight <= vantrel::kScoreWeightMax;
    for (const std::optional<int>& bound : {s.score.atLeast, s.score.atMost})
        ok = ok && bound.value_or(0) >= 0 && bound.value_or(0) <= vantrel::kScoreTenthsMax;
    // Bounds without weights would filter by a score nobody can see.
    return ok && (s.score.weights.IsSet() || !s.score.HasBounds());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    vantrel::PanelLimits limits;
    limits.textMax = 64;
    const vantrel::CriteriaParse parse = vantrel::ParseCriteriaText(input, limits, kChecks);
    if (!parse.state) {
        Check(input.find(parse.error.token) != std::string_view::npos, "token not in the input",
              input);
        Check(!parse.error.expected.empty(), "no expectation", input);
        return 0;
    }
    Check(WithinRanges(*parse.state, limits), "state out of range", input);
    const std::string text = vantrel::CriteriaText(*parse.state);
    const vantrel::CriteriaParse again = vantrel::ParseCriteriaText(text, limits, kChecks);
    Check(again.state.has_value(), "own text refused", text);
    Check(*again.state == *parse.state, "round trip changed the state", text);
    Check(vantrel::CriteriaText(*again.state) == text, "text not stable", text);
    return 0;
}
