// File -> Export List...: the rows of the result list as a CSV file, written to a
// temporary file beside the target that replaces it only when complete.

#include "gui/window/mainwindow.h"

#include "core/order/csvtext.h"
#include "core/order/resultcolumns.h"
#include "gui/common/busycursor.h"
#include "gui/common/displaytext.h"
#include "gui/common/guardedslot.h"
#include "gui/results/resultmodel.h"
#include "gui/results/resultview.h"

#include "ui_resultpage.h"

#include <QDir>
#include <QFileDialog>
#include <QSaveFile>

#include <array>
#include <filesystem>
#include <new>
#include <string>
#include <string_view>
#include <system_error>

namespace {

// The text is written in pieces of about this size, never built whole.
constexpr std::size_t kChunkBytes = std::size_t{1} << 20;

// The same file by another name (a link, another spelling of the folder) counts too.
bool IsLeagueFile(const QString& path, const QStringList& leagueFiles) {
    for (const QString& leagueFile : leagueFiles) {
        std::error_code error;
        if (std::filesystem::equivalent(vantrel::FileSystemPath(path),
                                        vantrel::FileSystemPath(leagueFile), error))
            return true;
    }
    return false;
}

// One CSV line at a time into a buffer that goes to the file whenever it is full.
class CsvChunkWriter {
  public:
    explicit CsvChunkWriter(QSaveFile& file) : file_(file) { buffer_.reserve(2 * kChunkBytes); }

    // The fields' UTF-8 texts are held until the line is appended.
    void AppendLine(const std::array<QByteArray, vantrel::kResultColumnCount>& fields) {
        std::array<std::string_view, vantrel::kResultColumnCount> views;
        for (std::size_t i = 0; i < fields.size(); ++i)
            views[i] = std::string_view(fields[i].constData(), std::size_t(fields[i].size()));
        vantrel::AppendCsvLine(buffer_, views);
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
};

std::array<QByteArray, vantrel::kResultColumnCount> Captions(const vantrel::ResultModel& model) {
    std::array<QByteArray, vantrel::kResultColumnCount> captions;
    for (int column = 0; column < vantrel::kResultColumnCount; ++column)
        captions[std::size_t(column)] =
            model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString().toUtf8();
    return captions;
}

QString WriteFailure(const QString& path, const QString& reason) {
    return QStringLiteral("Could not write %1:\n%2").arg(QDir::toNativeSeparators(path), reason);
}

}  // namespace

void VAvevadi::ExportList1Click() {
    if (!sd_) {
        sd_ = new QFileDialog(this, QStringLiteral("Export List"));
        sd_->setObjectName(QStringLiteral("sd"));
        sd_->setNameFilter(QStringLiteral("CSV files (*.csv)"));
        sd_->setAcceptMode(QFileDialog::AcceptSave);
        sd_->setDefaultSuffix(QStringLiteral("csv"));  // added to a name without a suffix
        sd_->setOption(QFileDialog::DontUseNativeDialog);
    }
    if (sd_->exec() != QDialog::Accepted || sd_->selectedFiles().isEmpty())
        return;
    const QString failure = ExportRowsTo(sd_->selectedFiles().constFirst());
    if (!failure.isEmpty())
        vantrel::ShowErrorBox(QStringLiteral("Export List"), failure,
                              QStringLiteral("exportError"));
}

QString VAvevadi::ExportRowsTo(const QString& path) {
    if (IsLeagueFile(path, leagueFiles_)) {
        return QStringLiteral("%1 is a file of the loaded league; league files are never written.")
            .arg(QDir::toNativeSeparators(path));
    }
    // Several selected rows are exported alone; one selected row marks a place, not a choice.
    const int selectedCount = resultUi_->found->SelectedRowCount();
    const bool selectionOnly = selectedCount > 1;
    const int count = selectionOnly ? selectedCount : resultModel_->rowCount();
    const vantrel::BusyCursor busy(count >= vantrel::kBusyRowCount);

    QSaveFile file(path);  // an uncommitted file takes its temporary file with it
    if (!file.open(QIODevice::WriteOnly))
        return WriteFailure(path, file.errorString());
    try {
        const QList<int> selected = selectionOnly ? resultUi_->found->SelectedRows() : QList<int>();
        if (!WriteCsvRows(file, selectionOnly ? &selected : nullptr, count) || !file.commit())
            return WriteFailure(path, file.errorString());
    } catch (const std::bad_alloc&) {
        return WriteFailure(path,
                            QStringLiteral("Not enough memory to export %1 players.").arg(count));
    }
    return {};
}

bool VAvevadi::WriteCsvRows(QSaveFile& file, const QList<int>* selected, int count) {
    CsvChunkWriter out(file);
    out.AppendLine(Captions(*resultModel_));
    std::array<QByteArray, vantrel::kResultColumnCount> cells;
    for (int i = 0; i < count; ++i) {
        const int row = selected ? (*selected)[i] : i;
        for (int column = 0; column < vantrel::kResultColumnCount; ++column)
            cells[std::size_t(column)] = resultModel_->CellText(row, column).toUtf8();
        out.AppendLine(cells);
        if (!out.FlushIfFull())
            return false;
    }
    return out.Flush();
}
