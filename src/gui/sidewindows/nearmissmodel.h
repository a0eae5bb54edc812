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

    void SetRows(std::vector<NearMissRow> rows, NearMissWords words);
    const NearMissRow* RowAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

  private:
    const QString& Text(const NearMissRow& row, int column) const;

    std::vector<NearMissRow> rows_;
    NearMissWords words_;
    // The texts made so far, by NearMissRow::miss (which a sort does not change).
    mutable std::vector<NearMissTexts> texts_;
    mutable std::vector<bool> described_;
};

}  // namespace vantrel
