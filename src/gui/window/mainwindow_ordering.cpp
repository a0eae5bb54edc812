// Ordering the result list by a header click: first click ascending, the same column
// again reverses, another column starts ascending.

#include "gui/window/mainwindow.h"

#include "gui/common/busycursor.h"
#include "gui/common/guardedslot.h"
#include "gui/results/resultmodel.h"
#include "gui/results/resultview.h"

#include "ui_resultpage.h"

#include <QHeaderView>

#include <new>

using vantrel::Guarded;

void VAvevadi::ConnectResultHandlers() {
    QHeaderView* header = resultUi_->found->horizontalHeader();
    connect(header, &QHeaderView::sectionClicked, this,
            Guarded([this](int column) { foundColumnClick(column); }));
    connect(resultUi_->Button1, &QPushButton::clicked, this,
            Guarded([this](bool) { Button1Click(); }));
    connect(resultUi_->found, &vantrel::ResultView::detailsRequested, this,
            Guarded([this] { foundDblClick(); }));
}

void VAvevadi::foundColumnClick(int column) {
    if (column < 0)
        return;
    const bool sameColumn = std::abs(SortKey) - 1 == column;
    const int sortKey = sameColumn ? -SortKey : column + 1;
    if (!OrderRows(sameColumn, sortKey)) {
        // The list keeps its order, and the header keeps saying which it is.
        vantrel::ShowOutOfMemory(QStringLiteral("list"), resultModel_->rowCount());
        return;
    }
    SortKey = sortKey;
    QHeaderView* header = resultUi_->found->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, SortKey > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

bool VAvevadi::OrderRows(bool reverse, int sortKey) {
    const vantrel::BusyCursor busy(resultModel_->rowCount() >= vantrel::kBusyRowCount);
    try {
        // The list stands sorted by this column already: turning it round is the new order.
        if (reverse)
            resultModel_->ReverseRows();
        else
            resultModel_->SortRows(sortKey);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
