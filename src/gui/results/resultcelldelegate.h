#pragma once

// Paints the cells of the result list: one line of text, clipped to its cell, on the
// selection colour when the row is selected. The general item delegate lays out every
// cell as rich text with elision, which costs most of a repaint; a report list of short
// texts needs none of it.

#include <QStyledItemDelegate>

namespace vantrel {

class ResultCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace vantrel
