#pragma once

// The stable order of a result list's rows by the name or the position column.

#include "core/order/placerecords.h"

#include <cstdint>
#include <vector>

namespace vantrel {

// For each new place the current row that goes there (see resultorder.h): the texts
// compared as unsigned bytes, a prefix first, equal texts in their current row order,
// reversed (equal texts still in row order) when not ascending.
std::vector<std::int32_t> TextRowOrder(const PlaceRecords& places,
                                       const std::vector<std::int32_t>& rows, int column,
                                       bool ascending);

}  // namespace vantrel
