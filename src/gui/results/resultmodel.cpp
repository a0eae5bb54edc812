#include "gui/results/resultmodel.h"

#include "gui/common/displaytext.h"
#include "core/eval/cp1252.h"
#include "core/league/records.h"
#include "core/league/corestretches.h"
#include "core/order/prefetch.h"
#include "core/order/resultorder.h"
#include "core/search/changecriteria.h"
#include "core/season/changeorder.h"
#include "core/season/seasonmatch.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <numeric>

namespace vantrel {

namespace {

struct ColumnSpec {
    const char* caption;
    int width;
    Qt::Alignment alignment;
};

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

constexpr ColumnSpec kColumns[kResultColumnCount] = {
    {"Player Name", 120, kLeft}, {"Pos.", 37, kLeft},    {"Age", 32, kRight}, {"IT", 28, kRight},
    {"SP", 28, kRight},          {"ST", 28, kRight},     {"EN", 28, kRight},  {"DU", 28, kRight},
    {"DI", 28, kRight},          {"SK", 28, kRight},     {"PA", 28, kRight},  {"PC", 28, kRight},
    {"DF", 28, kRight},          {"SC", 28, kRight},     {"EX", 28, kRight},  {"LD", 28, kRight},
    {"OV", 28, kLeft},           {"Salary", 70, kRight}, {"Ct", 30, kRight},
};
constexpr ColumnSpec kChangeColumn = {"\u0394OV", 40, kRight};
constexpr ColumnSpec kScoreColumn = {"Score", 44, kRight};

}  // namespace

ResultModel::ResultModel(QObject* parent) : QAbstractTableModel(parent) {}

ExtraColumn ResultModel::ExtraAt(int column) const {
    if (column == kOverallChangeColumn && season_)
        return ExtraColumn::kOverallChange;
    return column == ScoreColumn() ? ExtraColumn::kScore : ExtraColumn::kNone;
}

int ResultModel::ScoreColumn() const {
    return score_.IsSet() ? ScorePlace() : -1;
}

int ResultModel::ColumnWidth(int column) const {
    switch (ExtraAt(column)) {
        case ExtraColumn::kOverallChange:
            return kChangeColumn.width;
        case ExtraColumn::kScore:
            return kScoreColumn.width;
        case ExtraColumn::kNone:
            break;
    }
    return column >= 0 && column < kResultColumnCount ? kColumns[column].width : 0;
}

Qt::Alignment ResultModel::AlignmentOf(int column) const {
    if (ExtraAt(column) != ExtraColumn::kNone)
        return kRight;
    return column >= 0 && column < kResultColumnCount ? kColumns[column].alignment : kLeft;
}

QString ResultModel::CaptionOf(int column) const {
    switch (ExtraAt(column)) {
        case ExtraColumn::kOverallChange:
            return QString::fromUtf8(kChangeColumn.caption);
        case ExtraColumn::kScore:
            return QString::fromUtf8(kScoreColumn.caption);
        case ExtraColumn::kNone:
            break;
    }
    return column >= 0 && column < kResultColumnCount ? QString::fromUtf8(kColumns[column].caption)
                                                      : QString();
}

void ResultModel::Clear() {
    beginResetModel();
    records_.clear();
    records_.shrink_to_fit();
    rows_.clear();
    rows_.shrink_to_fit();
    roster_.reset();
    endResetModel();
}

void ResultModel::SetRows(SharedImage roster, std::vector<std::int32_t> recordIndices) {
    // Allocated before the reset begins: a failed allocation leaves the model as it was.
    std::vector<std::int32_t> rows(recordIndices.size());
    std::iota(rows.begin(), rows.end(), 0);
    beginResetModel();
    roster_ = std::move(roster);
    records_ = std::move(recordIndices);
    rows_ = std::move(rows);
    endResetModel();
}

template <class Change>
void ResultModel::ChangeExtraColumn(int column, bool had, bool has, Change change) {
    if (!had && has)
        beginInsertColumns({}, column, column);
    if (had && !has)
        beginRemoveColumns({}, column, column);
    change();
    if (had != has) {
        if (has)
            endInsertColumns();
        else
            endRemoveColumns();
    } else if (has && !rows_.empty()) {
        emit dataChanged(index(0, column), index(rowCount() - 1, column), {Qt::DisplayRole});
    }
}

void ResultModel::SetSeason(std::shared_ptr<const SeasonMatch> season) {
    ChangeExtraColumn(kOverallChangeColumn, season_ != nullptr, season != nullptr,
                      [&] { season_ = std::move(season); });
}

void ResultModel::SetScore(const ScoreWeights& weights) {
    ChangeExtraColumn(ScorePlace(), score_.IsSet(), weights.IsSet(), [&] { score_ = weights; });
}

const SeasonMatch* ResultModel::SeasonOfRows() const {
    return season_ && roster_ && season_->Current() == roster_ ? season_.get() : nullptr;
}

const std::uint8_t* ResultModel::RecordAtRow(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return nullptr;
    return RecordInImage(roster_.get(), RecordIndexAt(row), kPlayerRecordSize);
}

std::string ResultModel::CellBytes(int row, int column) const {
    return vantrel::CellBytes(RecordAtRow(row), column);
}

void ResultModel::AppendCellUtf8(std::string& out, int row, int column) const {
    const std::uint8_t* record = RecordAtRow(row);
    if (!record)
        return;
    switch (ExtraAt(column)) {
        case ExtraColumn::kOverallChange:
            if (const SeasonMatch* season = SeasonOfRows()) {
                if (const std::optional<int> change = season->OverallChange(RecordIndexAt(row)))
                    out += ChangeText(*change);
            }
            return;
        case ExtraColumn::kScore:
            out += ScoreText(ScoreTenths(record, score_));
            return;
        case ExtraColumn::kNone:
            break;
    }
    if (column < 0 || column >= kResultColumnCount)
        return;
    if (IsTextColumn(column)) {
        AppendCp1252AsUtf8(out, TextCell(record, column));
        return;
    }
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, NumberCell(record, column));
    out.append(digits, written.ptr);
}

QString ResultModel::CellText(int row, int column) const {
    std::string utf8;
    AppendCellUtf8(utf8, row, column);
    return QString::fromStdString(utf8);
}

std::string ResultModel::CaptionUtf8(int column) const {
    return CaptionOf(column).toStdString();
}

int ResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ScorePlace() + (score_.IsSet() ? 1 : 0);
}

QVariant ResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    switch (role) {
        case Qt::DisplayRole:
            return CellText(index.row(), index.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(AlignmentOf(index.column()));
        case kRecordIndexRole:
            return RecordIndexAt(index.row());
        default:
            return {};
    }
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return CaptionOf(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(AlignmentOf(section));
    if (role == Qt::ToolTipRole && ExtraAt(section) == ExtraColumn::kScore)
        return QString::fromStdString(ScoreFormulaWords(score_));
    return {};
}

std::vector<std::int32_t> ResultModel::SortOrder(int sortKey) const {
    if (sortKey == 0 || std::abs(sortKey) > columnCount() || rows_.size() < 2)
        return {};
    return RowOrder(sortKey);
}

void ResultModel::PutInOrder(std::vector<std::int32_t> order) {
    if (order.empty() || order.size() != rows_.size())
        return;
    // order[i] is the current row that goes to place i. The rows change only once all
    // memory is had: a failed allocation leaves the list as it was.
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    try {
        after = MovedIndexes(before, order);
    } catch (...) {
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);  // nothing moved
        throw;
    }
    // The order becomes the new rows, in place, a stretch per core.
    WorkInParts(static_cast<std::int64_t>(order.size()), [&](std::int64_t begin, std::int64_t end) {
        for (auto i = static_cast<std::size_t>(begin); i < std::size_t(end); ++i) {
            if (i + kPrefetchAhead < std::size_t(end))
                Prefetch(&rows_[static_cast<std::size_t>(order[i + kPrefetchAhead])]);
            order[i] = rows_[static_cast<std::size_t>(order[i])];
        }
    });
    rows_.swap(order);
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

std::vector<std::int32_t> ResultModel::RowOrder(int sortKey) const {
    const bool descending = sortKey < 0;
    switch (ExtraAt(std::abs(sortKey) - 1)) {
        case ExtraColumn::kOverallChange:
            return ChangeRowOrder(SeasonOfRows(), records_, rows_, descending);
        case ExtraColumn::kScore:
            return ScoreRowOrder(*roster_, score_, records_, rows_, descending);
        case ExtraColumn::kNone:
            break;
    }
    return SortedRowOrder(roster_.get(), records_, rows_, sortKey);
}

QModelIndexList ResultModel::MovedIndexes(const QModelIndexList& before,
                                          const std::vector<std::int32_t>& order) const {
    QModelIndexList after;
    if (before.isEmpty())
        return after;
    std::vector<std::int32_t> newRowOf(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        newRowOf[static_cast<std::size_t>(order[i])] = static_cast<std::int32_t>(i);
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(this->index(newRowOf[static_cast<std::size_t>(index.row())], index.column()));
    return after;
}

void ResultModel::ReverseRows() {
    const auto n = static_cast<int>(rows_.size());
    if (n < 2)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::reverse(rows_.begin(), rows_.end());
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(this->index(n - 1 - index.row(), index.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace vantrel
