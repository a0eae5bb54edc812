#pragma once

// The change criteria of a search applied to the players the panel's criteria found, and
// the line that tells them in words.

#include "core/search/changecriteria.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

class SeasonMatch;

// Whether a current record passes: an unmatched player (new, ambiguous or no player)
// never passes a change bound; season=new keeps only new players, season=matched only
// matched ones.
bool PassesChanges(const ChangeCriteria& criteria, const SeasonMatch& match,
                   std::int32_t currentIndex);

// Removes from `found` (record indices) every record that does not pass; the order of the
// rest stays.
void KeepPassingChanges(const ChangeCriteria& criteria, const SeasonMatch& match,
                        std::vector<std::int32_t>& found);

// The criteria in words, UTF-8, for the line under the panel: "Since the earlier season:
// OV +3 or more, SK -5 or less, matched players only"; empty when none is set.
std::string ChangeCriteriaLine(const ChangeCriteria& criteria);

}  // namespace vantrel
