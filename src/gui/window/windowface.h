#pragma once

// The narrow face the main window offers the features beyond its own controls (search
// report, compare, criteria text, export, thresholds, accessibility, desktop): the
// league, the result list and its selection, the panel as one value, the last search,
// and signals when a league loads, a search ends and details are shown. A feature sees
// nothing else of the window.

#include "core/eval/leaguerank.h"
#include "core/league/leaguedata.h"
#include "core/search/panelstate.h"
#include "core/search/playerfilter.h"

#include <QObject>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QMainWindow;
class QMenu;
class QWidget;

namespace vantrel {

class VAvevadi;
class ResultView;
class ResultModel;
class BarSeries3D;
class SeasonMatch;

// What the last search searched for, with the images it searched.
struct LastSearch {
    bool done = false;
    SearchCriteria criteria;
    SharedImage roster;
    SharedImage teams;
    std::int32_t teamStride = 0;
    std::int32_t playerCount = 0;
    // The change criteria applied after the panel's, and the rows they left in the list.
    ChangeCriteria changes;
    std::int64_t listed = 0;
    // The score bounds applied with them.
    ScoreCriteria score;
};

// A row's player and team record in the loaded league.
struct PlayerAndTeam {
    const std::uint8_t* player;
    const std::uint8_t* team;
};

class WindowFace : public QObject {
    Q_OBJECT
  public:
    explicit WindowFace(VAvevadi& window);

    // The main window: the owner of dialogs and message boxes.
    QMainWindow* Window() const;
    // A menu of the menu bar by its object name ("Datei1", "Edit1", "View1", ...).
    QMenu* Menu(const char* objectName) const;
    // The criteria panel's box, for a feature's line in its free corner.
    QWidget* PanelBox() const;

    const LeagueData& League() const;
    // Where each rating stands in the loaded league, built at every load.
    const LeagueRanks& Ranks() const;
    // Both files of the last successful load, canonical.
    const QStringList& LeagueFiles() const;
    const LastSearch& Last() const;

    ResultView* List() const;
    ResultModel* Rows() const;
    // The player and team of a record of the roster a list was made from; a record of
    // another league or outside the images is refused with "No information".
    PlayerAndTeam RecordsOf(const SharedImage& source, std::int32_t recordIndex) const;

    // The criteria panel as one value, and what it searches for now.
    PanelState Panel() const;
    SearchCriteria CriteriaNow() const;
    PanelLimits Limits() const;
    // Whether the team list has an entry of this name (UTF-8), in any case.
    bool HasTeam(const std::string& team) const;
    // Sets the panel, through its controls' own handlers; ResetPanel is "&Reset".
    void SetPanel(const PanelState& state);
    void ResetPanel();
    // The earlier season matched to the loaded league, or nullptr; the list shows its
    // change column while one is set.
    const std::shared_ptr<const SeasonMatch>& Season() const { return season_; }
    void SetSeason(std::shared_ptr<const SeasonMatch> season);
    // The panel as "&Reset" leaves it: the score's weights stay, its bounds go.
    PanelState ResetState() const;
    // Removes the found records that fail the panel's change criteria; with change
    // criteria but no season of the loaded league, none is left.
    void KeepChanged(std::vector<std::int32_t>& found) const;

    // "&Search", and the details of a record as a double-click on its row shows them.
    void Search();
    void ShowDetails(const SharedImage& source, std::int32_t recordIndex);
    // The two details charts' rating series: the skater's, then the goalie's.
    std::array<BarSeries3D*, 2> RatingSeries() const;
    // A league file opened without the dialog (a drop, the command line).
    void OpenLeagueFile(const QString& file);

  signals:
    // After every "Open File" (and every other way to open a league), failed ones too.
    void leagueLoaded();
    void searchFinished();
    // After the details pages and charts show a player record.
    void detailsShown(const std::uint8_t* record);
    // After SetPanel and Reset: the change criteria may have changed.
    void panelSet();
    void seasonChanged();
    // After the score's weights changed (set, cleared or other weights).
    void scoreChanged();

  private:
    VAvevadi& window_;
    // The criteria of the panel without controls of their own.
    ChangeCriteria changes_;
    ScoreCriteria score_;
    std::shared_ptr<const SeasonMatch> season_;
};

}  // namespace vantrel
