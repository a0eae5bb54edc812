// The search run: salary bounds from the two edits, one pass of the player filter over
// the roster image, one result row per match.

#include "gui/window/mainwindow.h"

#include "gui/common/busycursor.h"
#include "gui/common/guardedslot.h"
#include "core/eval/numbertext.h"
#include "core/league/programerror.h"
#include "core/league/records.h"
#include "gui/results/resultmodel.h"
#include "gui/window/panelcontrols.h"

#include "ui_criteriapanel.h"
#include "ui_mainwindow.h"
#include "ui_resultpage.h"

#include <QHeaderView>

#include <limits>
#include <new>

namespace {

constexpr std::int32_t kNoUpperBound = std::numeric_limits<std::int32_t>::max();

// A salary edit's text as a bound. An empty edit gives no bound and keeps its colour; a
// text that gives no bound (not a number, or the value that means none) marks it red.
std::int32_t SalaryBound(QLineEdit* edit, std::int32_t noBound, bool (*isNoBound)(std::int32_t)) {
    if (edit->text().isEmpty())
        return noBound;
    const std::int32_t bound = vantrel::ParseInt32(edit->text().toStdString()).value_or(noBound);
    if (isNoBound(bound))
        vantrel::PaintSalaryRed(edit);
    return bound;
}

}  // namespace

void VAvevadi::Button2Click() {
    resultModel_->Clear();
    SortKey = 0;
    resultUi_->found->horizontalHeader()->setSortIndicatorShown(false);
    frameUi_->pc->setCurrentWidget(frameUi_->TabSheet1);

    // A negative lower bound and the largest upper bound mean no bound.
    SalaryMin = SalaryBound(panelUi_->Edit6, -1, [](std::int32_t v) { return v <= -1; });
    SalaryMax = SalaryBound(panelUi_->Edit7, kNoUpperBound,
                            [](std::int32_t v) { return v >= kNoUpperBound; });

    if (league_.RosterFileSize <= 0 || !league_.IsLoaded() || !league_.RosterFileImage)
        throw vantrel::ProgramError(vantrel::kSomethingsWrong);
    BindCriteriaControls();

    const vantrel::SearchCriteria criteria = CurrentCriteria();
    const vantrel::PlayerFilter filter(criteria, league_.TeamStride);
    if (!ListMatches(filter)) {
        // The list stays empty and says so; counting the matches needs no memory.
        resultUi_->lanz->setText(QStringLiteral("0"));
        vantrel::ShowOutOfMemory(
            QStringLiteral("list"),
            vantrel::CountMatches(filter, *league_.RosterFileImage, league_.PlayerCount()));
    }
    RememberSearch(criteria);
}

bool VAvevadi::ListMatches(const vantrel::PlayerFilter& filter) {
    const vantrel::BusyCursor busy(league_.PlayerCount() >= vantrel::kBusyRowCount);
    try {
        std::vector<std::int32_t> rows =
            vantrel::SearchRoster(filter, *league_.RosterFileImage, league_.PlayerCount());
        const auto count = static_cast<qlonglong>(rows.size());
        resultModel_->SetRows(league_.RosterFileImage, std::move(rows));
        resultUi_->lanz->setText(QString::number(count));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
