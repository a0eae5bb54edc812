// Ordering the result list by a header click: first click ascending, the same column
// again reverses, another column starts ascending.

#include "gui/window/mainwindow.h"

#include "gui/common/busycursor.h"
#include "gui/common/guardedslot.h"
#include "gui/common/longwork.h"
#include "gui/results/resultmodel.h"
#include "gui/results/resultview.h"

#include "ui_resultpage.h"

#include <QHeaderView>

#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

namespace vantrel {

namespace {

// Reverses or sorts the rows; false (the order unchanged) when that found no memory.
bool OrderRows(QWidget* window, ResultModel& rows, bool reverse, int sortKey) {
    try {
        // The list stands sorted by this column already: turning it round is the new order.
        if (reverse) {
            const BusyCursor busy(rows.rowCount() >= kBusyRowCount);
            rows.ReverseRows();
            return true;
        }
        // The order is made while the list is shown; the list's layout changes here.
        std::vector<std::int32_t> order;
        const LongWork sorting{.doing = QStringLiteral("Sorting %1 players\u2026"),
                               .rows = rows.rowCount()};
        RunLongWork(window, sorting, [&](WorkProgress&) { order = rows.SortOrder(sortKey); });
        rows.PutInOrder(std::move(order));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace

void VAvevadi::foundColumnClick(int column) {
    if (column < 0)
        return;
    const bool sameColumn = std::abs(SortKey) - 1 == column;
    const int sortKey = sameColumn ? -SortKey : column + 1;
    const bool reverse = sameColumn && resultModel_->ReversesInPlace(column);
    if (!OrderRows(this, *resultModel_, reverse, sortKey)) {
        // The list keeps its order, and the header keeps saying which it is.
        ShowOutOfMemory(QStringLiteral("list"), resultModel_->rowCount());
        return;
    }
    SortKey = sortKey;
    QHeaderView* header = resultUi_->found->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, SortKey > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void VAvevadi::ForgetSortFrom(int first) {
    if (SortKey == 0 || std::abs(SortKey) - 1 < first)
        return;
    SortKey = 0;
    resultUi_->found->horizontalHeader()->setSortIndicatorShown(false);
}

}  // namespace vantrel
