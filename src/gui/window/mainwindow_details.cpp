// The details pages: one player's personal data, contract, injury and season statistics
// on the skater or the goalie page, then the rating charts.

#include "gui/window/mainwindow.h"

#include "core/eval/leaguerank.h"
#include "core/eval/vocabulary.h"
#include "core/league/records.h"
#include "core/order/resultcolumns.h"
#include "gui/chart/barchart3d.h"
#include "gui/common/displaytext.h"
#include "gui/results/resultmodel.h"
#include "gui/results/resultview.h"
#include "gui/window/detailspages.h"

#include "ui_goaliepage.h"
#include "ui_mainwindow.h"
#include "ui_resultpage.h"
#include "ui_skaterpage.h"

namespace vantrel {

namespace {

// The goalie page for a goalie, the skater page for everybody else; the other one hidden.
void ShowDetailsPage(Ui::VAvevadi& frame, bool goalie) {
    QTabWidget* pc = frame.pc;
    QWidget* shown = goalie ? frame.TabSheet3 : frame.TabSheet2;
    QWidget* hidden = goalie ? frame.TabSheet2 : frame.TabSheet3;
    pc->setTabVisible(pc->indexOf(shown), true);  // a tab is shown before it becomes current
    pc->setTabVisible(pc->indexOf(hidden), false);
    pc->setCurrentWidget(shown);
}

}  // namespace

void VAvevadi::foundDblClick() {
    ShowPlayerDetails();
}

void VAvevadi::Button1Click() {
    ShowPlayerDetails();
}

void VAvevadi::ShowPlayerDetails() {
    const int row = resultUi_->found->FirstSelectedRow();
    if (row < 0 || row >= resultModel_->rowCount())
        return;
    ShowRecordDetails(resultModel_->Roster(), resultModel_->RecordIndexAt(row));
}

// The details of a record of the roster image a list (the result list or the search
// report) was made from.
void VAvevadi::ShowRecordDetails(const SharedImage& source, std::int32_t recordIndex) {
    const auto [record, team] = face_->RecordsOf(source, recordIndex);
    const PlayerRecord player(record);
    const QString teamName = DecodeText(TeamRecord(team).Name());
    skaterUi_->Label36->setText(teamName);
    goalieUi_->Label81->setText(teamName);
    ShowDetailsPage(*frameUi_, RankGroupOf(record) == RankGroup::kGoalies);

    Ui::SkaterPage& s = *skaterUi_;
    for (QLabel* label :
         {s.Label5, s.Label7, s.Label8, s.Label9, s.Label22, s.Label24, s.Label26, s.Label15})
        label->clear();
    ch_->setZoom(10);
    ch_->setRotation(270);

    const QString name = DecodeText(ExtractTextView(record, kPlayerNameWidth));
    s.Label5->setText(name);
    try {
        const QString position = Utf8Text(PositionName(CellBytes(record, kPositionColumn)));
        // Both pages are written for every player, in this order.
        FillSkaterLabels(*skaterUi_, player, position);
        FillGoalieLabels(*goalieUi_, player, name, position);
    } catch (const DivisionFault&) {
        // The block ends silently; labels not yet written keep their texts.
    }
    FillRatingCharts(record);
    emit face_->detailsShown(record);
}

}  // namespace vantrel
