#pragma once

// The search report as plain text for scripts: the summary, one tab-separated line per
// active criterion, then the near misses nearest first, as the report window lists them.

#include "gui/sidewindows/searchreportwindow.h"

#include <string>

namespace vantrel {

// UTF-8 text, every line ended by a line feed.
std::string ReportText(const ReportContent& content);

}  // namespace vantrel
