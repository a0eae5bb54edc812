#pragma once

// The search report in plain English: a criterion ("SK at least 70") and a near miss
// ("SK 68, needs at least 70").

#include "core/search/searchreport.h"

#include <string>
#include <string_view>

namespace vantrel {

// Plain English words for a criterion ("SK at least 70") and for a near miss ("SK 68,
// needs at least 70"). Names and teams are Windows-1252 bytes as stored; the caller
// passes the names of the wanted team and of the near miss's own team.
std::string CriterionText(const SearchCriteria& criteria, int criterion, std::string_view teamName);
std::string NearMissText(const SearchCriteria& criteria, const NearMiss& miss,
                         std::string_view missTeamName, std::string_view wantedTeamName);

}  // namespace vantrel
