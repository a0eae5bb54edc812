// The search report: after every search the main window remembers what it searched for,
// and while the report window is open it explains that search there. Relax sets one
// criterion of the panel to its neutral state and searches again; a near miss opens its
// details as a listed row would.

#include "gui/window/mainwindow.h"

#include "core/league/records.h"
#include "core/order/resultcolumns.h"
#include "core/search/reportwords.h"
#include "gui/common/busycursor.h"
#include "gui/common/displaytext.h"
#include "gui/common/guardedslot.h"
#include "gui/sidewindows/searchreportwindow.h"
#include "gui/sidewindows/sidewindows.h"
#include "gui/window/panelcontrols.h"

#include "ui_criteriapanel.h"
#include "ui_mainwindow.h"

#include <QAction>

#include <array>
#include <new>

using vantrel::Guarded;

namespace {

// The name of a team of a team image as stored; empty outside the image.
std::string_view TeamBytes(const vantrel::ByteImage* teams, std::int64_t teamIndex) {
    const std::uint8_t* team = vantrel::RecordInImage(teams, teamIndex, vantrel::kTeamRecordSize);
    return team ? vantrel::TeamRecord(team).Name() : std::string_view();
}

// The words of the near misses of one report, made row by row as the table asks. Holds
// the images weakly: a report left open does not keep a released league in memory.
class NearMissDescriber {
  public:
    NearMissDescriber(const vantrel::SearchReport& report, const vantrel::SearchCriteria& criteria,
                      const vantrel::SharedImage& roster, const vantrel::SharedImage& teams,
                      std::int32_t teamStride)
        : misses_(report.nearMisses),
          criteria_(criteria),
          roster_(roster),
          teams_(teams),
          teamStride_(teamStride) {}

    vantrel::NearMissTexts operator()(std::size_t index) {
        const vantrel::SharedImage roster = roster_.lock();
        const vantrel::SharedImage teams = teams_.lock();
        if (!roster || index >= misses_.size())
            return {};
        const vantrel::NearMiss& miss = misses_[index];
        const std::uint8_t* record =
            vantrel::RecordInImage(roster.get(), miss.record, vantrel::kPlayerRecordSize);
        const std::int64_t teamIndex =
            teamStride_ > 0 ? std::int64_t{miss.record} * vantrel::kPlayerRecordSize / teamStride_
                            : -1;
        const std::string_view team = TeamBytes(teams.get(), teamIndex);
        const std::string_view wantedTeam = TeamBytes(teams.get(), criteria_.teamIndex);
        return {vantrel::DecodeText(vantrel::CellBytes(record, vantrel::kNameColumn)),
                vantrel::DecodeText(team),
                vantrel::DecodeText(vantrel::CellBytes(record, vantrel::kPositionColumn)),
                CriterionWords(miss.criterion, wantedTeam),
                vantrel::DecodeText(vantrel::NearMissText(criteria_, miss, team, wantedTeam))};
    }

  private:
    // The same few criteria stand in every row: their words are made once each.
    const QString& CriterionWords(int criterion, std::string_view wantedTeam) {
        QString& words = criterionWords_[static_cast<std::size_t>(criterion)];
        if (words.isEmpty())
            words = vantrel::DecodeText(vantrel::CriterionText(criteria_, criterion, wantedTeam));
        return words;
    }

    std::vector<vantrel::NearMiss> misses_;
    vantrel::SearchCriteria criteria_;
    std::weak_ptr<const vantrel::ByteImage> roster_, teams_;
    std::int32_t teamStride_ = 0;
    std::array<QString, vantrel::kCriterionCount> criterionWords_;
};

// The near misses as rows of the report's table, nearest first as the report lists them.
std::vector<vantrel::NearMissRow> NearMissRows(const vantrel::SearchReport& report,
                                               const vantrel::PlayerFilter& filter) {
    std::vector<vantrel::NearMissRow> rows;
    rows.reserve(report.nearMisses.size());
    for (std::size_t i = 0; i < report.nearMisses.size(); ++i) {
        const vantrel::NearMiss& miss = report.nearMisses[i];
        rows.push_back(
            vantrel::NearMissRow{miss.record, filter.MissDistance(miss.criterion, miss.value), i});
    }
    return rows;
}

}  // namespace

void VAvevadi::AttachReportWindow(vantrel::SearchReportWindow* report) {
    report_ = report;
    if (!report_)
        return;
    frameUi_->SearchReport1->setEnabled(true);
    connect(report_, &vantrel::SearchReportWindow::relaxRequested, this,
            Guarded([this](int criterion) { RelaxCriterion(criterion); }));
    connect(report_, &vantrel::SearchReportWindow::detailsRequested, this,
            Guarded([this](std::int32_t record) { ShowNearMissDetails(record); }));
}

void VAvevadi::SearchReport1Click() {
    if (!report_)
        return;
    RefreshReport();
    vantrel::ShowSideWindow(report_);
}

void VAvevadi::RememberSearch(const vantrel::SearchCriteria& criteria) {
    lastSearch_ = LastSearch{true,
                             criteria,
                             league_.RosterFileImage,
                             league_.TeamFileImage,
                             league_.TeamStride,
                             league_.PlayerCount()};
    if (report_ && report_->isVisible())
        RefreshReport();
}

void VAvevadi::RefreshReport() {
    if (!report_)
        return;
    if (!lastSearch_.done) {
        report_->ShowMessage(league_.IsLoaded()
                                 ? QStringLiteral("No search yet: the report explains the last "
                                                  "search.")
                                 : QStringLiteral("No league loaded: open a league and search."));
        return;
    }
    const LastSearch& last = lastSearch_;
    const vantrel::BusyCursor busy(last.playerCount >= vantrel::kBusyRowCount);
    const vantrel::PlayerFilter filter(last.criteria, last.teamStride);
    vantrel::SearchReport report;
    try {
        report = vantrel::MakeSearchReport(filter, *last.roster, last.playerCount);
    } catch (const std::bad_alloc&) {
        report_->ShowMessage(
            QStringLiteral("Not enough memory to report on %1 players.").arg(last.playerCount));
        return;
    }
    vantrel::ReportContent content;
    content.summary = QStringLiteral(
                          "%1 players found of %2 named players; %3 fail at least "
                          "one criterion.")
                          .arg(report.matches)
                          .arg(report.namedPlayers)
                          .arg(report.failingAny);
    const std::string_view wantedTeam = TeamBytes(last.teams.get(), last.criteria.teamIndex);
    for (const vantrel::CriterionCount& count : report.criteria) {
        content.criteria.push_back(vantrel::ReportCriterionRow{
            count.criterion,
            vantrel::DecodeText(vantrel::CriterionText(last.criteria, count.criterion, wantedTeam)),
            count.failing, count.failingOnly});
    }
    content.misses = NearMissRows(report, filter);
    content.words =
        NearMissDescriber(report, last.criteria, last.roster, last.teams, last.teamStride);
    content.missTotal = report.nearMissTotal;
    report_->ShowContent(std::move(content));
    if (last.roster != league_.RosterFileImage)
        report_->MarkStale();
}

// After a load: a report of the league loaded before says so; before the first search the
// window's message follows whether a league is loaded.
void VAvevadi::MarkReportOfEarlierLeague() {
    if (report_ && !lastSearch_.done && report_->isVisible())
        RefreshReport();
    if (report_ && lastSearch_.done && lastSearch_.roster != league_.RosterFileImage)
        report_->MarkStale();
}

void VAvevadi::ShowNearMissDetails(std::int32_t recordIndex) {
    // A report of an earlier league, or of images since released, has nobody here to show.
    ShowRecordDetails(lastSearch_.roster, recordIndex);
}

// The neutral state of one criterion, set through the panel's own handlers, then the
// search runs again.
void VAvevadi::RelaxCriterion(int criterion) {
    Ui::CriteriaPanel& p = *panelUi_;
    BindCriteriaControls();
    switch (criterion) {
        case vantrel::kTeamCriterion:
            p.cbt->setCurrentIndex(0);
            break;
        case vantrel::kNameCriterion:
            p.edname->setText(QStringLiteral("*"));
            break;
        case vantrel::kStatusCriterion:
            vantrel::SetRadioItemIndex(p.rgstate, 0);
            break;
        case vantrel::kAssignmentCriterion:
            vantrel::SetRadioItemIndex(p.rgteam, 0);
            break;
        case vantrel::kPositionCriterion:
            vantrel::SetRadioItemIndex(p.rgpos, 0);
            break;
        case vantrel::kAgeMinCriterion:
            p.tbmin->setValue(p.tbmin->minimum());
            break;
        case vantrel::kAgeMaxCriterion:
            p.tbmax->setValue(p.tbmax->maximum());
            break;
        case vantrel::kSalaryMinCriterion:
            p.Edit6->setText(QString());
            break;
        case vantrel::kSalaryMaxCriterion:
            p.Edit7->setText(QString());
            break;
        default: {
            const auto rating =
                static_cast<std::size_t>(criterion - vantrel::kFirstRatingCriterion);
            if (rating >= CriteriaControls.trackBars.size())
                return;
            CriteriaControls.checkBoxes[rating]->setCheckState(Qt::Unchecked);
            CriteriaControls.trackBars[rating]->setValue(0);
        }
    }
    Button2Click();
}
