#pragma once

// The entries of the team box: "<All>" and then every listed team of the team image by
// name, with its team index as Qt::UserRole. Names are decoded when the box asks for
// them, so that a league of a hundred thousand teams keeps no text per team.

#include "core/league/leaguedata.h"

#include <QAbstractListModel>

#include <cstdint>
#include <vector>

namespace vantrel {

class TeamListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit TeamListModel(QObject* parent = nullptr);

    // "<All>" and the teams of `teams` whose first byte is not 0 and whose name has two
    // characters or more, in file order.
    void Fill(SharedImage teams, std::int32_t teamCount);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // What the box's clear() asks for; rows removed give the image up with the last one.
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    // The first entry after "<All>" of this name, the same case first and then any case;
    // -1 for none.
    int EntryNamed(const QString& name) const;
    // The team index of an entry; -1 for "<All>" or a row outside the list.
    std::int32_t TeamAt(int row) const;

  private:
    static constexpr std::int32_t kAllTeams = -1;
    SharedImage image_;
    std::vector<std::int32_t> entries_;  // team index per row, kAllTeams for "<All>"
};

}  // namespace vantrel
