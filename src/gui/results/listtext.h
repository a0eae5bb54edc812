#pragma once

// The result list as text for files, scripts and the clipboard, made a piece at a time:
// CSV (the Export List file), the clipboard's tab-separated text and JSON (an array of
// objects keyed by the column captions). Cells of league data that a spreadsheet would
// take for a formula get a leading apostrophe in CSV and tab-separated text; JSON keeps
// every text as it is.

#include <QList>

#include <cstdint>
#include <functional>
#include <string_view>

namespace vantrel {

class ResultModel;

enum class ListFormat : std::uint8_t { kCsv, kTsv, kJson };

// Takes the next piece of text (about a megabyte); false when the target refused it.
using TextSink = std::function<bool(std::string_view)>;
// Told how many rows are written so far, every kProgressRows rows and at the end; false
// stops the writing.
using RowProgress = std::function<bool(std::int64_t done)>;
inline constexpr int kProgressRows = 4096;

struct ListTextOptions {
    ListFormat format = ListFormat::kCsv;
    bool captions = true;  // the column captions first (CSV and tab-separated text)
    RowProgress progress;
};

enum class WriteResult : std::uint8_t { kDone, kRefused, kCancelled };

// The captions and the model rows `rows` in that order, or every row for nullptr.
WriteResult WriteListText(const ResultModel& model, const QList<int>* rows,
                          const ListTextOptions& options, const TextSink& sink);

}  // namespace vantrel
