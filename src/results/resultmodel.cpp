#include "results/resultmodel.h"

#include "app/displaytext.h"
#include "eval/overall.h"
#include "eval/vocabulary.h"
#include "league/records.h"
#include "results/resultcelldelegate.h"

#include <QHeaderView>
#include <QTableView>

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <string_view>

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

// A row's sort key and its current place; 8 bytes so that a radix pass moves little.
struct KeyedRow {
    std::uint32_t key;
    std::int32_t row;
};

// Stable LSD radix sort by key, one byte a pass; a byte that is the same in every key
// is skipped, so small-range columns (ratings, OV, age) take one or two passes.
std::vector<std::int32_t> OrderByKey(const std::vector<std::uint32_t>& keys) {
    const std::size_t n = keys.size();
    std::array<std::array<std::size_t, 256>, 4> counts{};
    for (const std::uint32_t key : keys) {
        for (std::size_t d = 0; d < 4; ++d)
            ++counts[d][(key >> (8 * d)) & 0xFF];
    }
    std::vector<KeyedRow> items(n), spare(n);
    for (std::size_t i = 0; i < n; ++i)
        items[i] = KeyedRow{keys[i], static_cast<std::int32_t>(i)};
    for (std::size_t d = 0; d < 4; ++d) {
        std::array<std::size_t, 256>& count = counts[d];
        const unsigned shift = static_cast<unsigned>(8 * d);
        if (count[(items[0].key >> shift) & 0xFF] == n)
            continue;  // one value in this byte: the pass would keep the order
        std::size_t start = 0;
        for (std::size_t& c : count) {
            const std::size_t here = c;
            c = start;
            start += here;
        }
        for (const KeyedRow& item : items)
            spare[count[(item.key >> shift) & 0xFF]++] = item;
        items.swap(spare);
    }
    std::vector<std::int32_t> order(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = items[i].row;
    return order;
}

// A text of at most 24 bytes as three big-endian words, zero-padded. Texts never hold a
// zero byte (they end at the first one), so the words order as the texts do byte-wise,
// a prefix first; the name is at most 21 bytes and the position 2. Inverted words give
// the reverse order.
struct TextKey {
    std::array<std::uint64_t, 3> words;
};
static_assert(kPlayerNameWidth <= 24, "a name must fit into the three words of its key");

TextKey MakeTextKey(std::string_view text, bool ascending) {
    std::array<unsigned char, 24> bytes{};
    if (!text.empty())  // an empty view may hold a null pointer, which memcpy must not get
        std::memcpy(bytes.data(), text.data(), std::min(text.size(), bytes.size()));
    TextKey key{};
    for (std::size_t w = 0; w < 3; ++w) {
        std::uint64_t word = 0;
        for (std::size_t i = 0; i < 8; ++i)
            word = (word << 8) | bytes[8 * w + i];
        key.words[w] = ascending ? word : ~word;
    }
    return key;
}

// Stable order of the rows by their texts' keys: equal texts keep their current order in
// both directions. keys are indexed by search place, rows give each row's place.
std::vector<std::int32_t> OrderByText(const std::vector<TextKey>& keys,
                                      const std::vector<std::int32_t>& rows) {
    const std::size_t n = rows.size();
    struct KeyedTextRow {
        TextKey key;
        std::int32_t row;
    };
    std::vector<KeyedTextRow> items(n);
    for (std::size_t i = 0; i < n; ++i)
        items[i] =
            KeyedTextRow{keys[static_cast<std::size_t>(rows[i])], static_cast<std::int32_t>(i)};
    // The current row breaks ties, which makes the order total and the sort stable.
    std::sort(items.begin(), items.end(), [](const KeyedTextRow& a, const KeyedTextRow& b) {
        if (a.key.words[0] != b.key.words[0])
            return a.key.words[0] < b.key.words[0];
        if (a.key.words[1] != b.key.words[1])
            return a.key.words[1] < b.key.words[1];
        if (a.key.words[2] != b.key.words[2])
            return a.key.words[2] < b.key.words[2];
        return a.row < b.row;
    });
    std::vector<std::int32_t> order(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = items[i].row;
    return order;
}

}  // namespace

ResultModel::ResultModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResultModel::SetUpView(QTableView* view) {
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setItemDelegate(new ResultCellDelegate(view));
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
    records_.clear();
    records_.shrink_to_fit();
    rows_.clear();
    rows_.shrink_to_fit();
    roster_.reset();
    endResetModel();
}

void ResultModel::SetRows(SharedImage roster, std::vector<std::int32_t> recordIndices) {
    beginResetModel();
    roster_ = std::move(roster);
    records_ = std::move(recordIndices);
    rows_.resize(records_.size());
    std::iota(rows_.begin(), rows_.end(), 0);
    endResetModel();
}

const std::uint8_t* ResultModel::RecordAtRow(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return nullptr;
    return RecordInImage(roster_.get(), RecordIndexAt(row), kPlayerRecordSize);
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
            return RecordIndexAt(index.row());
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

    // Keys are taken once per sort, in the search's order; the order compares them, never
    // cell texts. order[i] is the current row that goes to place i.
    const auto recordOf = [&](std::size_t place) {
        return RecordInImage(roster_.get(), records_[place], kPlayerRecordSize);
    };
    std::vector<std::int32_t> order;
    if (IsTextColumn(column)) {
        std::vector<TextKey> keys(n);
        for (std::size_t p = 0; p < n; ++p)
            keys[p] = MakeTextKey(TextCell(recordOf(p), column), ascending);
        order = OrderByText(keys, rows_);
    } else {
        std::vector<std::uint32_t> keys(n);
        for (std::size_t p = 0; p < n; ++p) {
            // Every number column holds a signed 32-bit value; flipping the sign bit
            // makes unsigned order the signed order, inverting it the reverse order.
            const auto value = static_cast<std::int32_t>(NumberCell(recordOf(p), column));
            const std::uint32_t key = static_cast<std::uint32_t>(value) ^ 0x80000000u;
            keys[p] = ascending ? key : ~key;
        }
        std::vector<std::uint32_t> rowKeys(n);
        for (std::size_t i = 0; i < n; ++i)
            rowKeys[i] = keys[static_cast<std::size_t>(rows_[i])];
        order = OrderByKey(rowKeys);
    }

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<std::int32_t> sorted(n);
    for (std::size_t i = 0; i < n; ++i)
        sorted[i] = rows_[static_cast<std::size_t>(order[i])];
    rows_ = std::move(sorted);
    const QModelIndexList before = persistentIndexList();
    if (!before.isEmpty()) {
        std::vector<std::int32_t> newRowOf(n);
        for (std::size_t i = 0; i < n; ++i)
            newRowOf[static_cast<std::size_t>(order[i])] = static_cast<std::int32_t>(i);
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex& index : before) {
            after.append(
                this->index(newRowOf[static_cast<std::size_t>(index.row())], index.column()));
        }
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
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
