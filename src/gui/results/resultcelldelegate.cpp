#include "gui/results/resultcelldelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace vantrel {

namespace {
constexpr int kTextMargin = 3;  // pixels between a cell's edge and its text
}

void ResultCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (option.state & QStyle::State_Active) ? QPalette::Active
                                                                               : QPalette::Inactive;
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));

    // The current cell keeps its focus frame so that keyboard users see where they are.
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor =
            option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
        const QWidget* widget = option.widget;
        (widget ? widget->style() : QApplication::style())
            ->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }

    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return;
    const auto alignment =
        Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()) | Qt::TextSingleLine;
    painter->save();
    painter->setClipRect(option.rect);
    painter->setFont(option.font);
    painter->setPen(
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(option.rect.adjusted(kTextMargin, 0, -kTextMargin, 0), int(alignment), text);
    painter->restore();
}

}  // namespace vantrel
