#pragma once

// The near misses of a search report as a sortable table: name, team, position, the
// criterion missed and by how much. Ordered nearest first until a header is clicked.

#include "gui/sidewindows/searchreportwindow.h"

#include <QAbstractTableModel>

#include <vector>

namespace vantrel {

class NearMissModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetRows(std::vector<NearMissRow> rows);
    const NearMissRow* RowAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

  private:
    std::vector<NearMissRow> rows_;
};

}  // namespace vantrel
