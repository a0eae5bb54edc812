#include "results/resultmodel.h"

#include "app/displaytext.h"
#include "eval/overall.h"
#include "eval/vocabulary.h"
#include "league/records.h"

#include <QHeaderView>
#include <QTableView>

#include <algorithm>
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

bool IsTextColumn(int column) {
    return column == kNameColumn || column == kPositionColumn;
}

// The whole number a number column shows for a record: what its cell text reads as.
std::int64_t NumberCell(const std::uint8_t* record, int column) {
    const PlayerRecord player(record);
    if (column == kAgeColumn)
        return player.AgeSigned();
    if (column >= kFirstRatingColumn && column < kOverallColumn)
        return player.Rating(column - kFirstRatingColumn);
    if (column == kOverallColumn)
        return static_cast<std::int32_t>(OverallExact(record));
    if (column == kSalaryColumn)
        return player.Salary();
    return player.Contract();
}

std::string_view TextCell(const std::uint8_t* record, int column) {
    if (column == kNameColumn)
        return ExtractTextView(record, kPlayerNameWidth);
    return PositionAbbrev(record);
}

}  // namespace

ResultModel::ResultModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResultModel::SetUpView(QTableView* view) {
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setTabKeyNavigation(false);
    view->setSortingEnabled(false);  // ordering goes through the header-click handler
    QHeaderView* rows = view->verticalHeader();
    rows->hide();
    // Fixed row heights keep the view's cost independent of the number of rows.
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(view->fontMetrics().height() + 3);
    QHeaderView* header = view->horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    for (int column = 0; column < kResultColumnCount; ++column)
        header->resizeSection(column, kColumns[column].width);
}

void ResultModel::Clear() {
    beginResetModel();
    rows_.clear();
    rows_.shrink_to_fit();
    roster_.reset();
    endResetModel();
}

void ResultModel::SetRows(SharedImage roster, std::vector<std::int32_t> recordIndices) {
    beginResetModel();
    roster_ = std::move(roster);
    rows_ = std::move(recordIndices);
    endResetModel();
}

const std::uint8_t* ResultModel::RecordAtRow(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return nullptr;
    return RecordInImage(roster_.get(), rows_[static_cast<std::size_t>(row)], kPlayerRecordSize);
}

std::string ResultModel::CellBytes(int row, int column) const {
    const std::uint8_t* record = RecordAtRow(row);
    if (!record || column < 0 || column >= kResultColumnCount)
        return {};
    if (IsTextColumn(column))
        return std::string(TextCell(record, column));
    return std::to_string(NumberCell(record, column));
}

QString ResultModel::CellText(int row, int column) const {
    const std::uint8_t* record = RecordAtRow(row);
    if (!record || column < 0 || column >= kResultColumnCount)
        return {};
    if (IsTextColumn(column))
        return DecodeText(TextCell(record, column));
    return QString::number(NumberCell(record, column));
}

int ResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kResultColumnCount;
}

QVariant ResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    switch (role) {
        case Qt::DisplayRole:
            return CellText(index.row(), index.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(kColumns[index.column()].alignment);
        case kRecordIndexRole:
            return rows_[static_cast<std::size_t>(index.row())];
        default:
            return {};
    }
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kResultColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(kColumns[section].caption);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(kColumns[section].alignment);
    return {};
}

void ResultModel::SortRows(int sortKey) {
    const int column = std::abs(sortKey) - 1;
    if (sortKey == 0 || column >= kResultColumnCount || rows_.size() < 2)
        return;
    const bool ascending = sortKey > 0;
    const std::size_t n = rows_.size();

    // Keys are taken once per sort; the order compares them, never cell texts.
    std::vector<std::int32_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    if (IsTextColumn(column)) {
        std::vector<std::string_view> keys(n);
        for (std::size_t i = 0; i < n; ++i)
            keys[i] = TextCell(RecordAtRow(static_cast<int>(i)), column);
        // string_view compares its bytes as unsigned char: capitals before small letters,
        // accented letters after "z", a prefix first.
        std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
            return ascending ? keys[a] < keys[b] : keys[b] < keys[a];
        });
    } else {
        std::vector<std::int64_t> keys(n);
        for (std::size_t i = 0; i < n; ++i)
            keys[i] = NumberCell(RecordAtRow(static_cast<int>(i)), column);
        std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
            return ascending ? keys[a] < keys[b] : keys[b] < keys[a];
        });
    }

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<std::int32_t> newRowOf(n);
    std::vector<std::int32_t> sorted(n);
    for (std::size_t i = 0; i < n; ++i) {
        sorted[i] = rows_[static_cast<std::size_t>(order[i])];
        newRowOf[static_cast<std::size_t>(order[i])] = static_cast<std::int32_t>(i);
    }
    rows_ = std::move(sorted);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(this->index(newRowOf[static_cast<std::size_t>(index.row())], index.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace vantrel
