#pragma once

// The whole criteria panel as one line of text, readable and typeable, for example
//   team="Rivertown" name="MA*" status=rookie assign=pro pos=C age=20-30
//   salary=100000-2000000 all=10 SK>=70 OV=80 DF<=40 dOV>=3 dSK<=-5 season=matched
// A control at its Reset state is left out, so the Reset panel is the empty text. Keys and
// values are case-insensitive; a value with blanks or quotes is written in double quotes
// with \" and \\ inside. Parsing is all or nothing: a text either gives a whole panel
// state or names its first bad token and what was expected there.

#include "core/search/panelstate.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// Checks the parser cannot make alone: whether a team exists in the loaded league and
// whether a name can be searched for. Each returns false to refuse the value.
struct PanelChecks {
    std::function<bool(const std::string& team)> teamExists;
    std::function<bool(const std::string& name)> nameSearchable;
    // Whether an earlier season is open: change keys need one.
    std::function<bool()> seasonOpen;
};

struct CriteriaTextError {
    std::string token;     // the first bad token as typed (may be empty at the end)
    std::string expected;  // what was expected there
};

struct CriteriaParse {
    std::optional<PanelState> state;
    CriteriaTextError error;  // when there is no state
};

std::string CriteriaText(const PanelState& state);
CriteriaParse ParseCriteriaText(std::string_view text, const PanelLimits& limits,
                                const PanelChecks& checks = {});

}  // namespace vantrel
