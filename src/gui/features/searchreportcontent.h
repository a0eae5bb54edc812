#pragma once

// The search report's words for the last search: the summary, one row per active
// criterion, and the near misses, whose words are made row by row as the table asks.

#include "gui/sidewindows/searchreportwindow.h"

namespace vantrel {

struct LastSearch;

// Throws std::bad_alloc when the report does not fit in memory.
ReportContent MakeReportContent(const LastSearch& last);

}  // namespace vantrel
