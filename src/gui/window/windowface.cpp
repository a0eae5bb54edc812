#include "gui/window/windowface.h"

#include "core/league/programerror.h"
#include "core/season/changefilter.h"
#include "core/season/seasonmatch.h"
#include "gui/results/resultmodel.h"
#include "gui/common/displaytext.h"
#include "gui/window/mainwindow.h"

#include "ui_criteriapanel.h"
#include "ui_resultpage.h"

#include <QMenu>
#include <QMenuBar>

namespace vantrel {

WindowFace::WindowFace(VAvevadi& window) : QObject(&window), window_(window) {}

QMainWindow* WindowFace::Window() const {
    return &window_;
}

QMenu* WindowFace::Menu(const char* objectName) const {
    return window_.menuBar()->findChild<QMenu*>(QLatin1String(objectName));
}

QWidget* WindowFace::PanelBox() const {
    return window_.sc_;
}

const LeagueData& WindowFace::League() const {
    return window_.league_;
}

const LeagueRanks& WindowFace::Ranks() const {
    return window_.ranks_;
}

const QStringList& WindowFace::LeagueFiles() const {
    return window_.leagueFiles_;
}

const LastSearch& WindowFace::Last() const {
    return window_.lastSearch_;
}

ResultView* WindowFace::List() const {
    return window_.resultUi_->found;
}

ResultModel* WindowFace::Rows() const {
    return window_.resultModel_;
}

// A row found in another league's roster, or a record outside the team blocks, has no
// player here to show: that is reported rather than showing somebody else or reading
// past an image.
PlayerAndTeam WindowFace::RecordsOf(const SharedImage& source, std::int32_t recordIndex) const {
    const LeagueData& league = window_.league_;
    if (recordIndex < 0 || !league.IsLoaded() || source != league.RosterFileImage)
        throw ProgramError(kNoInformation);
    const std::uint8_t* player = league.PlayerAt(recordIndex);
    const std::uint8_t* team = league.TeamAt(league.TeamOfRecord(recordIndex));
    if (!player || !team)
        throw ProgramError(kNoInformation);
    return {player, team};
}

PanelState WindowFace::Panel() const {
    window_.BindCriteriaControls();
    PanelState state = ReadPanel(*window_.panelUi_, window_.CriteriaControls);
    state.changes = changes_;
    state.score = score_;
    return state;
}

SearchCriteria WindowFace::CriteriaNow() const {
    return SearchCriteriaOf(Panel(), ReadPanelContext(*window_.panelUi_));
}

PanelLimits WindowFace::Limits() const {
    return ReadPanelLimits(*window_.panelUi_);
}

bool WindowFace::HasTeam(const std::string& team) const {
    return TeamEntry(window_.panelUi_->cbt, Utf8Text(team)) > 0;
}

void WindowFace::SetPanel(const PanelState& state) {
    window_.BindCriteriaControls();
    WritePanel(*window_.panelUi_, window_.CriteriaControls, state);
    changes_ = state.changes;
    const bool newWeights = state.score.weights != score_.weights;
    score_ = state.score;
    if (newWeights) {
        window_.resultModel_->SetScore(score_.weights);
        emit scoreChanged();
    }
    emit panelSet();
}

PanelState WindowFace::ResetState() const {
    PanelState reset;
    reset.score.weights = score_.weights;
    return reset;
}

void WindowFace::ResetPanel() {
    window_.Button3Click();
}

void WindowFace::SetSeason(std::shared_ptr<const SeasonMatch> season) {
    season_ = std::move(season);
    window_.resultModel_->SetSeason(season_);
    emit seasonChanged();
}

void WindowFace::KeepChanged(std::vector<std::int32_t>& found) const {
    if (!changes_.IsActive())
        return;
    if (!season_ || season_->Current() != window_.league_.RosterFileImage)
        found.clear();
    else
        KeepPassingChanges(changes_, *season_, found);
}

void WindowFace::Search() {
    window_.Button2Click();
}

void WindowFace::ShowDetails(const SharedImage& source, std::int32_t recordIndex) {
    window_.ShowRecordDetails(source, recordIndex);
}

std::array<BarSeries3D*, 2> WindowFace::RatingSeries() const {
    return {window_.series1_, window_.barSeries1_};
}

void WindowFace::OpenLeagueFile(const QString& file) {
    window_.OpenLeagueFile(file);
}

}  // namespace vantrel
