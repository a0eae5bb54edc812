#pragma once

// Two to four players side by side: one column each with the facts and ratings as the
// list and details pages write them, the best value of every rating marked, the league
// rank beside each rating, and a grouped 3-D bar chart with one series per player and a
// legend in the series' colours. A side window: one instance, shown modeless, hidden on
// close. It knows nothing of the main window; the main window fills it.

#include "core/league/records.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <array>
#include <optional>
#include <vector>

class QHBoxLayout;
class QTableWidget;

namespace vantrel {

class BarChart3D;

// The facts above the ratings, in the order of the table's rows.
inline constexpr std::array<const char*, 10> kCompareFacts = {
    "Name", "Team", "Position", "Age", "Hand", "Height", "Weight", "Salary", "Contract", "Status"};

struct ComparePlayer {
    std::array<QString, kCompareFacts.size()> facts;
    // nullopt where the player's details page does not show the rating (a goalie's DF, SC).
    std::array<std::optional<int>, kRatingCriteriaCount> ratings;
    std::array<QString, kRatingCriteriaCount> topPercent;  // "top 3 %"
    std::array<QString, kRatingCriteriaCount> rankText;    // "SK 85: rank 12 of 540 skaters, ..."
    // The change since the earlier season ("+3"); empty without one.
    std::array<QString, kRatingCriteriaCount> change;
    // The user's own score ("72.8"); empty while none is set.
    QString score;
};

class CompareWindow : public QWidget {
    Q_OBJECT
  public:
    explicit CompareWindow(QWidget* parent = nullptr);
    ~CompareWindow() override;

    void ShowPlayers(const std::vector<ComparePlayer>& players);

    // The colour of the i-th player's column marker, series and legend entry: four
    // colours told apart with every common colour-vision deficiency.
    static QColor PlayerColour(int i);
    // The background of a best value; dark text on it reads in every colour vision.
    static QColor BestValueColour();

  private:
    void FillTable(const std::vector<ComparePlayer>& players);
    void FillScoreRow(const std::vector<ComparePlayer>& players);
    void FillChart(const std::vector<ComparePlayer>& players);
    void FillLegend(const std::vector<ComparePlayer>& players);

    QTableWidget* table_ = nullptr;
    BarChart3D* chart_ = nullptr;
    QHBoxLayout* legend_ = nullptr;
};

}  // namespace vantrel
