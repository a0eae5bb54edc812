// The search run: salary bounds from the two edits, one pass of the player filter over
// the roster image, one result row per match.

#include "gui/window/mainwindow.h"

#include "core/league/programerror.h"
#include "gui/common/busycursor.h"
#include "gui/common/guardedslot.h"
#include "gui/results/resultmodel.h"

#include "ui_criteriapanel.h"
#include "ui_mainwindow.h"
#include "ui_resultpage.h"

#include <QHeaderView>

#include <new>

namespace vantrel {

namespace {

// A salary edit's bound; an edit whose text gives no bound turns red.
std::int32_t SalaryBoundOf(QLineEdit* edit, SalaryBound (*bound)(std::string_view)) {
    const SalaryBound salary = bound(edit->text().toStdString());
    if (salary.refused)
        PaintSalaryRed(edit);
    return salary.value;
}

// The matches listed, with their count; false when their rows found no memory.
bool ListMatches(const PlayerFilter& filter, const WindowFace& face, ResultModel& rows,
                 QLabel* count) {
    const LeagueData& league = face.League();
    const BusyCursor busy(league.PlayerCount() >= kBusyRowCount);
    try {
        std::vector<std::int32_t> found = SearchRoster(
            filter, *league.RosterFileImage, league.PlayerCount(), ScoreBounds(face.Panel().score));
        face.KeepChanged(found);
        const auto matches = static_cast<qlonglong>(found.size());
        rows.SetRows(league.RosterFileImage, std::move(found));
        count->setText(QString::number(matches));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace

void VAvevadi::Button2Click() {
    resultModel_->Clear();
    SortKey = 0;
    resultUi_->found->horizontalHeader()->setSortIndicatorShown(false);
    frameUi_->pc->setCurrentWidget(frameUi_->TabSheet1);

    // A negative lower bound and the largest upper bound mean no bound.
    SalaryMin = SalaryBoundOf(panelUi_->Edit6, LowerSalaryBound);
    SalaryMax = SalaryBoundOf(panelUi_->Edit7, UpperSalaryBound);

    if (league_.RosterFileSize <= 0 || !league_.IsLoaded() || !league_.RosterFileImage)
        throw ProgramError(kSomethingsWrong);
    const SearchCriteria criteria = face_->CriteriaNow();
    const PlayerFilter filter(criteria, league_.TeamStride);
    if (!ListMatches(filter, *face_, *resultModel_, resultUi_->lanz)) {
        // The list stays empty and says so; counting the matches needs no memory.
        resultUi_->lanz->setText(QStringLiteral("0"));
        ShowOutOfMemory(QStringLiteral("list"),
                        CountMatches(filter, *league_.RosterFileImage, league_.PlayerCount(),
                                     ScoreBounds(face_->Panel().score)));
    }
    lastSearch_ = LastSearch{true,
                             criteria,
                             league_.RosterFileImage,
                             league_.TeamFileImage,
                             league_.TeamStride,
                             league_.PlayerCount(),
                             face_->Panel().changes,
                             resultModel_->rowCount(),
                             face_->Panel().score};
    emit face_->searchFinished();
}

}  // namespace vantrel
