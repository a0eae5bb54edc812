#include "gui/features/listexport.h"

#include "core/export/csvline.h"
#include "gui/common/busycursor.h"
#include "gui/common/displaytext.h"
#include "gui/results/resultmodel.h"
#include "gui/results/resultview.h"

#include <QDir>
#include <QSaveFile>

#include <filesystem>
#include <new>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace vantrel {

namespace {

// The text is written in pieces of about this size, never built whole.
constexpr std::size_t kChunkBytes = std::size_t{1} << 20;

// The same file by another name (a link, another spelling of the folder) counts too.
bool IsLeagueFile(const QString& path, const QStringList& leagueFiles) {
    for (const QString& leagueFile : leagueFiles) {
        std::error_code error;
        if (std::filesystem::equivalent(FileSystemPath(path), FileSystemPath(leagueFile), error))
            return true;
    }
    return false;
}

// One CSV line at a time into a buffer that goes to the file whenever it is full.
class CsvChunkWriter {
  public:
    explicit CsvChunkWriter(QSaveFile& file) : file_(file) { buffer_.reserve(2 * kChunkBytes); }

    // The fields' UTF-8 texts are held until the line is appended.
    void AppendLine(const std::vector<QByteArray>& fields) {
        views_.resize(fields.size());
        for (std::size_t i = 0; i < fields.size(); ++i)
            views_[i] = std::string_view(fields[i].constData(), std::size_t(fields[i].size()));
        AppendCsvLine(buffer_, views_);
    }
    // False when the file refused the bytes; the caller stops writing then.
    bool FlushIfFull() { return buffer_.size() < kChunkBytes || Flush(); }
    bool Flush() {
        const auto size = static_cast<qint64>(buffer_.size());
        const bool written = file_.write(buffer_.data(), size) == size;
        buffer_.clear();
        return written;
    }

  private:
    QSaveFile& file_;
    std::string buffer_;
    std::vector<std::string_view> views_;
};

// Every column the list has: its own, and the change column while a season is open.
std::vector<QByteArray> Captions(const ResultModel& model) {
    std::vector<QByteArray> captions(static_cast<std::size_t>(model.columnCount()));
    for (int column = 0; column < model.columnCount(); ++column)
        captions[std::size_t(column)] =
            model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString().toUtf8();
    return captions;
}

QString WriteFailure(const QString& path, const QString& reason) {
    return QStringLiteral("Could not write %1:\n%2").arg(QDir::toNativeSeparators(path), reason);
}

// The header and the rows (the selected ones, or the first count) into file; false when
// the file refused bytes.
bool WriteRows(const ResultModel& rows, QSaveFile& file, const QList<int>* selected, int count) {
    CsvChunkWriter out(file);
    out.AppendLine(Captions(rows));
    std::vector<QByteArray> cells(static_cast<std::size_t>(rows.columnCount()));
    for (int i = 0; i < count; ++i) {
        const int row = selected ? (*selected)[i] : i;
        for (int column = 0; column < rows.columnCount(); ++column)
            cells[std::size_t(column)] = rows.CellText(row, column).toUtf8();
        out.AppendLine(cells);
        if (!out.FlushIfFull())
            return false;
    }
    return out.Flush();
}

}  // namespace

QString ExportRows(const ResultView& list, const ResultModel& rows, const QStringList& leagueFiles,
                   const QString& path) {
    if (IsLeagueFile(path, leagueFiles)) {
        return QStringLiteral("%1 is a file of the loaded league; league files are never written.")
            .arg(QDir::toNativeSeparators(path));
    }
    // Several selected rows are exported alone; one selected row marks a place, not a choice.
    const int selectedCount = list.SelectedRowCount();
    const bool selectionOnly = selectedCount > 1;
    const int count = selectionOnly ? selectedCount : rows.rowCount();
    const BusyCursor busy(count >= kBusyRowCount);

    QSaveFile file(path);  // an uncommitted file takes its temporary file with it
    if (!file.open(QIODevice::WriteOnly))
        return WriteFailure(path, file.errorString());
    try {
        const QList<int> selected = selectionOnly ? list.SelectedRows() : QList<int>();
        if (!WriteRows(rows, file, selectionOnly ? &selected : nullptr, count) || !file.commit())
            return WriteFailure(path, file.errorString());
    } catch (const std::bad_alloc&) {
        return WriteFailure(path,
                            QStringLiteral("Not enough memory to export %1 players.").arg(count));
    }
    return {};
}

}  // namespace vantrel
