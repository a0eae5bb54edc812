#include "gui/window/teamlistmodel.h"

#include "core/league/records.h"
#include "gui/common/displaytext.h"

#include <utility>

namespace vantrel {

namespace {

std::string_view ListedTeamName(const std::uint8_t* bytes) {
    if (!bytes)
        return {};
    const TeamRecord team(bytes);
    return team.FirstByte() == 0 ? std::string_view() : team.Name();
}

}  // namespace

TeamListModel::TeamListModel(QObject* parent) : QAbstractListModel(parent) {}

void TeamListModel::Fill(SharedImage teams, std::int32_t teamCount) {
    std::vector<std::int32_t> entries{kAllTeams};
    entries.reserve(static_cast<std::size_t>(teamCount) + 1);
    for (std::int32_t i = 0; i < teamCount; ++i) {
        if (ListedTeamName(RecordInImage(teams.get(), i, kTeamRecordSize)).size() >= 2)
            entries.push_back(i);
    }
    beginResetModel();
    image_ = std::move(teams);
    entries_ = std::move(entries);
    endResetModel();
}

int TeamListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant TeamListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const std::int32_t team = entries_[static_cast<std::size_t>(index.row())];
    if (role == Qt::UserRole)
        return team == kAllTeams ? QVariant() : QVariant(static_cast<int>(team));
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (team == kAllTeams)
        return QStringLiteral("<All>");
    return DecodeText(ListedTeamName(RecordInImage(image_.get(), team, kTeamRecordSize)));
}

int TeamListModel::EntryNamed(const QString& name) const {
    for (const Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (int row = 1; row < rowCount(); ++row) {
            if (data(index(row), Qt::DisplayRole).toString().compare(name, sensitivity) == 0)
                return row;
        }
    }
    return -1;
}

std::int32_t TeamListModel::TeamAt(int row) const {
    return row >= 0 && row < rowCount() ? entries_[static_cast<std::size_t>(row)] : kAllTeams;
}

bool TeamListModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    entries_.erase(entries_.begin() + row, entries_.begin() + row + count);
    if (entries_.empty())
        image_.reset();
    endRemoveRows();
    return true;
}

}  // namespace vantrel
