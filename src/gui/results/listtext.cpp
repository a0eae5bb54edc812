#include "gui/results/listtext.h"

#include "core/export/cellguard.h"
#include "core/export/csvline.h"
#include "core/export/jsontext.h"
#include "core/order/resultcolumns.h"
#include "gui/results/resultmodel.h"

#include <string>
#include <vector>

namespace vantrel {

namespace {

// The text goes to the sink in pieces of about this size, never built whole.
constexpr std::size_t kChunkBytes = std::size_t{1} << 20;

// One line at a time into a buffer that goes to the sink whenever it is full.
class LineWriter {
  public:
    LineWriter(const ResultModel& model, ListFormat format, const TextSink& sink)
        : model_(model), format_(format), sink_(sink) {
        buffer_.reserve(2 * kChunkBytes);
        const auto columns = static_cast<std::size_t>(model.columnCount());
        cells_.resize(columns);
        views_.resize(columns);
        for (std::size_t column = 0; column < columns; ++column)
            captions_.push_back(model.CaptionUtf8(static_cast<int>(column)));
    }

    void AppendCaptions() {
        if (format_ == ListFormat::kJson)
            return;
        for (std::size_t i = 0; i < captions_.size(); ++i)
            views_[i] = captions_[i];
        AppendViews();
    }

    void AppendRow(int row, bool first) {
        for (std::size_t i = 0; i < cells_.size(); ++i) {
            cells_[i].clear();
            model_.AppendCellUtf8(cells_[i], row, static_cast<int>(i));
        }
        if (format_ == ListFormat::kJson) {
            AppendJsonObject(first);
            return;
        }
        for (std::size_t i = 0; i < cells_.size(); ++i) {
            if (NeedsFormulaGuard(cells_[i]))
                cells_[i].insert(cells_[i].begin(), '\'');
            views_[i] = cells_[i];
        }
        AppendViews();
    }

    void AppendText(std::string_view text) { buffer_ += text; }
    // False when the sink refused the bytes; the caller stops writing then.
    bool FlushIfFull() { return buffer_.size() < kChunkBytes || Flush(); }
    bool Flush() {
        const bool taken = buffer_.empty() || sink_(buffer_);
        buffer_.clear();
        return taken;
    }

  private:
    void AppendViews() {
        if (format_ == ListFormat::kCsv) {
            AppendCsvLine(buffer_, views_);
            return;
        }
        for (std::size_t i = 0; i < views_.size(); ++i) {
            if (i > 0)
                buffer_ += '\t';
            AppendTsvField(buffer_, views_[i]);
        }
        buffer_ += '\n';
    }

    // Texts as strings; numbers as numbers ("+3" without its sign), an empty one as null.
    void AppendJsonObject(bool first) {
        buffer_ += first ? "\n{" : ",\n{";
        for (std::size_t i = 0; i < cells_.size(); ++i) {
            if (i > 0)
                buffer_ += ',';
            AppendJsonString(buffer_, captions_[i]);
            buffer_ += ':';
            const std::string& cell = cells_[i];
            if (i < std::size_t{kResultColumnCount} && IsTextColumn(static_cast<int>(i)))
                AppendJsonString(buffer_, cell);
            else if (cell.empty())
                buffer_ += "null";
            else
                buffer_.append(cell, cell[0] == '+' ? 1 : 0);
        }
        buffer_ += '}';
    }

    const ResultModel& model_;
    ListFormat format_;
    const TextSink& sink_;
    std::string buffer_;
    std::vector<std::string> captions_;
    std::vector<std::string> cells_;
    std::vector<std::string_view> views_;
};

}  // namespace

WriteResult WriteListText(const ResultModel& model, const QList<int>* rows,
                          const ListTextOptions& options, const TextSink& sink) {
    LineWriter out(model, options.format, sink);
    const bool json = options.format == ListFormat::kJson;
    if (json)
        out.AppendText("[");
    else if (options.captions)
        out.AppendCaptions();
    const qsizetype count = rows ? rows->size() : model.rowCount();
    for (qsizetype i = 0; i < count; ++i) {
        out.AppendRow(rows ? (*rows)[i] : static_cast<int>(i), i == 0);
        if (!out.FlushIfFull())
            return WriteResult::kRefused;
        if (options.progress && (i + 1) % kProgressRows == 0 && !options.progress(i + 1))
            return WriteResult::kCancelled;
    }
    if (json)
        out.AppendText(count > 0 ? "\n]\n" : "]\n");
    if (!out.Flush())
        return WriteResult::kRefused;
    if (options.progress && !options.progress(count))
        return WriteResult::kCancelled;
    return WriteResult::kDone;
}

}  // namespace vantrel
