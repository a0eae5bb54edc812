// Ordering the result list by a header click: first click ascending, the same column
// again reverses, another column starts ascending.

#include "gui/window/mainwindow.h"

#include "gui/common/busycursor.h"
#include "gui/common/guardedslot.h"
#include "gui/results/resultmodel.h"
#include "gui/results/resultview.h"

#include "ui_resultpage.h"

#include <QHeaderView>

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
    SortKey = sameColumn ? -SortKey : column + 1;
    {
        const vantrel::BusyCursor busy(resultModel_->rowCount() >= vantrel::kBusyRowCount);
        // The list stands sorted by this column already: turning it round is the new order.
        if (sameColumn)
            resultModel_->ReverseRows();
        else
            resultModel_->SortRows(SortKey);
    }
    QHeaderView* header = resultUi_->found->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, SortKey > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}
