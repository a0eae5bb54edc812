#include "gui/sidewindows/nearmissmodel.h"

#include <algorithm>
#include <limits>

namespace vantrel {

namespace {

constexpr int kColumnCount = 5;
constexpr int kGapColumn = 4;
const char* const kCaptions[kColumnCount] = {"Player Name", "Team", "Pos.", "Criterion",
                                             "Missed by"};

// Nearest first; misses without a distance (team, name, status ...) after all others.
std::int64_t DistanceKey(const NearMissRow& row) {
    return row.distance >= 0 ? row.distance : std::numeric_limits<std::int64_t>::max();
}

}  // namespace

void NearMissModel::SetRows(std::vector<NearMissRow> rows, NearMissWords words) {
    beginResetModel();
    rows_ = std::move(rows);
    words_ = std::move(words);
    texts_.assign(rows_.size(), {});
    described_.assign(rows_.size(), false);
    const auto nearer = [](const NearMissRow& a, const NearMissRow& b) {
        return DistanceKey(a) < DistanceKey(b);
    };
    if (!std::is_sorted(rows_.begin(), rows_.end(), nearer))  // the report lists them so
        std::stable_sort(rows_.begin(), rows_.end(), nearer);
    endResetModel();
}

const QString& NearMissModel::Text(const NearMissRow& row, int column) const {
    if (!described_[row.miss]) {
        texts_[row.miss] = words_(row.miss);
        described_[row.miss] = true;
    }
    return texts_[row.miss][static_cast<std::size_t>(column)];
}

const NearMissRow* NearMissModel::RowAt(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return nullptr;
    return &rows_[static_cast<std::size_t>(row)];
}

int NearMissModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int NearMissModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant NearMissModel::data(const QModelIndex& index, int role) const {
    const NearMissRow* row = RowAt(index.row());
    if (!row || role != Qt::DisplayRole)
        return {};
    return Text(*row, index.column());
}

QVariant NearMissModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumnCount)
        return {};
    return QString::fromLatin1(kCaptions[section]);
}

void NearMissModel::sort(int column, Qt::SortOrder order) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const bool ascending = order == Qt::AscendingOrder;
    std::vector<int> places(rows_.size());
    for (std::size_t i = 0; i < places.size(); ++i)
        places[i] = static_cast<int>(i);
    const auto before = [&](int i, int j) {
        const NearMissRow& a = rows_[static_cast<std::size_t>(i)];
        const NearMissRow& b = rows_[static_cast<std::size_t>(j)];
        if (column == kGapColumn) {
            const std::int64_t x = DistanceKey(a), y = DistanceKey(b);
            return ascending ? x < y : y < x;
        }
        const int c = QString::localeAwareCompare(Text(a, column), Text(b, column));
        return ascending ? c < 0 : c > 0;
    };
    std::stable_sort(places.begin(), places.end(), before);
    std::vector<NearMissRow> sorted;
    sorted.reserve(rows_.size());
    std::vector<int> newRowOf(rows_.size());
    for (std::size_t place = 0; place < places.size(); ++place) {
        sorted.push_back(rows_[static_cast<std::size_t>(places[place])]);
        newRowOf[static_cast<std::size_t>(places[place])] = static_cast<int>(place);
    }
    rows_ = std::move(sorted);
    // Selected rows stay selected where they move to.
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    for (const QModelIndex& index : from)
        to.append(this->index(newRowOf[static_cast<std::size_t>(index.row())], index.column()));
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace vantrel
