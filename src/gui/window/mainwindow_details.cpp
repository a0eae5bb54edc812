// The details pages: one player's personal data, contract, injury and season statistics
// on the skater or the goalie page, then the rating charts.

#include "gui/window/mainwindow.h"

#include "gui/common/displaytext.h"
#include "gui/common/guardedslot.h"
#include "core/eval/numbertext.h"
#include "core/eval/vocabulary.h"
#include "core/league/programerror.h"
#include "core/league/records.h"
#include "core/order/resultcolumns.h"
#include "gui/chart/barchart3d.h"
#include "gui/results/resultmodel.h"
#include "gui/results/resultview.h"

#include "ui_goaliepage.h"
#include "ui_mainwindow.h"
#include "ui_resultpage.h"
#include "ui_skaterpage.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

// A non-zero value divided by zero ends the label block; 0/0 is not-a-number.
struct DivisionFault {};

double Ratio(double numerator, double denominator) {
    if (denominator == 0) {
        if (numerator != 0)
            throw DivisionFault{};
        return std::numeric_limits<double>::quiet_NaN();
    }
    return numerator / denominator;
}

QString Number(std::int64_t value) {
    return QString::number(value);
}

// The vocabulary's texts are ASCII.
QString Latin(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A ratio with the separator of the user's locale.
QString Real(double value) {
    return QString::fromStdString(vantrel::RealText(value, vantrel::LocaleDecimalSeparator()));
}

// Labels whose code has no text keep what they show.
void SetOptionalText(QLabel* label, std::optional<std::string_view> text) {
    if (text)
        label->setText(Latin(*text));
}

// The rating a chart bar stands for, by its caption; -1 for condition.
int RatingOfBar(const QString& label) {
    for (int rating = 0; rating <= vantrel::kOverallIndex; ++rating) {
        if (label == Latin(vantrel::RatingAbbrev(rating)))
            return rating;
    }
    return -1;
}

// Every rating bar tells its rank in the league: "SK 85: rank 12 of 540 skaters, top 3 %".
void SetRankToolTips(vantrel::BarSeries3D* series, const std::uint8_t* record,
                     const vantrel::LeagueRanks& ranks) {
    const vantrel::RankGroup group = vantrel::RankGroupOf(record);
    for (int bar = 0; bar < series->barCount(); ++bar) {
        const int rating = RatingOfBar(series->barLabel(bar));
        if (rating < 0)
            continue;
        const double value = series->barValue(bar);
        series->setBarToolTip(bar, QString::fromStdString(vantrel::RankText(
                                       rating, value, ranks.RankOf(group, rating, value), group)));
    }
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
void VAvevadi::ShowRecordDetails(const vantrel::SharedImage& source, std::int32_t recordIndex) {
    const auto [record, team] = DetailsRecords(source, recordIndex);
    const vantrel::PlayerRecord player(record);
    const QString teamName = vantrel::DecodeText(vantrel::TeamRecord(team).Name());
    skaterUi_->Label36->setText(teamName);
    goalieUi_->Label81->setText(teamName);
    ShowDetailsPage(player.Position() == 4);

    Ui::SkaterPage& s = *skaterUi_;
    for (QLabel* label :
         {s.Label5, s.Label7, s.Label8, s.Label9, s.Label22, s.Label24, s.Label26, s.Label15})
        label->clear();
    ch_->setZoom(10);
    ch_->setRotation(270);

    const QString name =
        vantrel::DecodeText(vantrel::ExtractTextView(record, vantrel::kPlayerNameWidth));
    s.Label5->setText(name);
    try {
        const QString position = QString::fromStdString(
            vantrel::PositionName(vantrel::CellBytes(record, vantrel::kPositionColumn)));
        // Both pages are written for every player, in this order.
        FillSkaterLabels(player, position);
        FillGoalieLabels(player, name, position);
    } catch (const DivisionFault&) {
        // The block ends silently; labels not yet written keep their texts.
    }

    FillRatingCharts(record);
    for (vantrel::BarSeries3D* series : {series1_, barSeries1_})
        SetRankToolTips(series, record, ranks_);
    UpdateDetailsAccessibility();
}

// The player and team records of a row in the loaded league. A row found in another
// league's roster, or a record outside the team blocks, has no player here to show: that
// is reported rather than showing somebody else or reading past an image.
VAvevadi::PlayerAndTeam VAvevadi::DetailsRecords(const vantrel::SharedImage& source,
                                                 std::int32_t recordIndex) const {
    if (recordIndex < 0 || !league_.TeamFileImage || !league_.RosterFileImage ||
        !league_.IsLoaded())
        throw vantrel::ProgramError(vantrel::kNoInformation);
    const std::uint8_t* record = league_.PlayerAt(recordIndex);
    const std::uint8_t* team = league_.TeamAt(recordIndex / league_.PlayersPerTeam);
    if (source != league_.RosterFileImage || !record || !team)
        throw vantrel::ProgramError(vantrel::kNoInformation);
    return {record, team};
}

// The goalie page for a goalie, the skater page for everybody else; the other one hidden.
void VAvevadi::ShowDetailsPage(bool goalie) {
    QTabWidget* pc = frameUi_->pc;
    QWidget* shown = goalie ? frameUi_->TabSheet3 : frameUi_->TabSheet2;
    QWidget* hidden = goalie ? frameUi_->TabSheet2 : frameUi_->TabSheet3;
    pc->setTabVisible(pc->indexOf(shown), true);  // a tab is shown before it becomes current
    pc->setTabVisible(pc->indexOf(hidden), false);
    pc->setCurrentWidget(shown);
}

void VAvevadi::FillSkaterLabels(const vantrel::PlayerRecord& player, const QString& position) {
    Ui::SkaterPage& s = *skaterUi_;
    s.Label8->setText(position);
    s.Label9->setText(Number(player.Number()));
    s.Label22->setText(Number(player.AgeUnsigned()));
    s.Label24->setText(Number(player.Height()));
    s.Label26->setText(Number(player.Weight()));
    s.Label15->setText(Number(player.GamesPlayed()));
    s.Label18->setText(Number(player.GoalsOrPim()));
    s.Label20->setText(Number(player.Assists()));
    s.Label52->setText(Number(player.GoalsOrPim() + player.Assists()));
    s.Label55->setText(Number(player.PimOrGoalsAgainst()));
    s.Label57->setText(Number(player.PlusMinus()));
    s.Label35->setText(Number(player.PowerPlayGoalsOrShutouts()));
    s.Label60->setText(Number(player.ShortHandedGoalsOrWins()));
    s.Label62->setText(Number(player.GameWinningGoalsOrLosses()));
    s.Label63->setText(Number(player.GameTyingGoalsOrTies()));
    s.Label66->setText(Number(player.Shots()));
    s.Label67->setText(Real(Ratio(player.GoalsOrPim() * 100.0, player.Shots())));
    s.Label71->setText(Number(player.Salary()));
    s.Label72->setText(Number(player.Condition()));
    s.Label70->setText(Number(player.Contract()));
    SetOptionalText(s.Label74, vantrel::HandText(player.Hand()));
    s.Label76->setText(Latin(vantrel::AssignmentText(player.Assignment())));
    s.Label69->setText(Latin(vantrel::InjuryText(player.Assignment())));
    SetOptionalText(s.Label21, vantrel::StatusText(player.Status()));
}

void VAvevadi::FillGoalieLabels(const vantrel::PlayerRecord& player, const QString& name,
                                const QString& position) {
    Ui::GoaliePage& g = *goalieUi_;
    g.Label79->setText(name);
    g.Label80->setText(vantrel::DecodeText(
        vantrel::ExtractTextView(player.ShortCodeField(), vantrel::kShortCodeWidth)));
    g.Label78->setText(Number(player.Number()));
    g.Label83->setText(position);
    g.Label85->setText(Number(player.AgeUnsigned()));
    g.Label91->setText(Number(player.Height()));
    g.Label93->setText(Number(player.Weight()));
    SetOptionalText(g.Label89, vantrel::HandText(player.Hand()));
    g.Label86->setText(Latin(vantrel::AssignmentText(player.Assignment())));
    g.Label95->setText(Number(player.Condition()));
    g.Label97->setText(Latin(vantrel::InjuryText(player.Assignment())));
    g.Label101->setText(Number(player.Salary()));
    g.Label99->setText(Number(player.Contract()));
    SetOptionalText(g.Label103, vantrel::StatusText(player.Status()));
    g.Label111->setText(Number(player.Assists()));
    g.Label107->setText(Number(player.GoalsOrPim()));
    g.Label104->setText(Number(player.GamesPlayed()));
    g.Label115->setText(Number(player.PowerPlayGoalsOrShutouts()));
    g.Label109->setText(Number(player.ShortHandedGoalsOrWins()));
    g.Label114->setText(Number(player.GameWinningGoalsOrLosses()));
    g.Label118->setText(Number(player.GameTyingGoalsOrTies()));
    g.Label121->setText(Number(player.PimOrGoalsAgainst()));
    g.Label123->setText(Number(player.Shots()));
    g.Label127->setText(Real(
        Ratio(static_cast<double>(player.Shots()) - player.PimOrGoalsAgainst(), player.Shots())));
    g.Label119->setText(Real(Ratio(player.PimOrGoalsAgainst(), player.GamesPlayed())));
}
