#pragma once

// Season Changes: the current league against an earlier season's league. A line with how
// many players were matched, are new, ambiguous or gone; a position filter; and four
// tables: the largest OV rises and falls, the earlier players who are gone and the players
// who changed team. A side window: shown modeless, hidden on close. It knows nothing of the
// main window; the main window fills it and answers its signal.

#include "core/league/leaguedata.h"
#include "core/season/seasonsummary.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

class QComboBox;
class QLabel;
class QTabWidget;
class QTableWidget;
class QVBoxLayout;

namespace vantrel {

class SeasonWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SeasonWindow(QWidget* parent = nullptr);
    ~SeasonWindow() override;

    // The match of `current` to `earlier` (the leagues it was made from); `earlierName`
    // names the earlier season in the window. No match empties the window.
    void ShowSeason(std::shared_ptr<const SeasonMatch> match, const LeagueData& current,
                    const LeagueData& earlier, const QString& earlierName);

  signals:
    // A row of the risers, fallers or team changes chosen: its current record.
    void detailsRequested(SharedImage roster, std::int32_t recordIndex);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum Tab { kRisers, kFallers, kGone, kTeamChanges, kTabCount };
    void AddPositionFilter(QVBoxLayout* layout);
    void AddTable(Tab tab, const QString& objectName, const QStringList& headers);
    void Fill();
    void FillMovers(Tab tab, ChangeSide side, int position);
    void FillGone(int position);
    void FillTeamChanges(int position);
    void RequestDetails(const QTableWidget* table, int row);

    std::shared_ptr<const SeasonMatch> match_;
    LeagueData current_;  // copies: they keep the images the rows read
    LeagueData earlier_;
    QLabel* earlierName_ = nullptr;
    QLabel* counts_ = nullptr;
    QComboBox* position_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    std::array<QTableWidget*, kTabCount> tables_{};
};

}  // namespace vantrel
