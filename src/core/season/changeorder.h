#pragma once

// The order of the result list by the change of OV since the earlier season.

#include <cstdint>
#include <vector>

namespace vantrel {

class SeasonMatch;

// The stable order of the list's rows (as SortedRowOrder takes them: `records` in the
// search's order, `rows` each row's place in it) by the OV change, ascending or
// descending; rows without a match come last either way. Without a match (nullptr) every
// row is unmatched and the order stays.
std::vector<std::int32_t> ChangeRowOrder(const SeasonMatch* match,
                                         const std::vector<std::int32_t>& records,
                                         const std::vector<std::int32_t>& rows, bool descending);

}  // namespace vantrel
