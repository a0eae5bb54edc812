#pragma once

// The details pages' parts that need nothing of the window: the labels of one player on
// the skater and the goalie page, the charts' view and series, one chart's bars.

#include <QString>

#include <cstdint>

namespace Ui {
class SkaterPage;
class GoaliePage;
}  // namespace Ui

namespace vantrel {

class PlayerRecord;
class BarSeries3D;

// A non-zero value divided by zero ends the label block (thrown by the fills below);
// labels not yet written keep their texts.
struct DivisionFault {};

void FillSkaterLabels(Ui::SkaterPage& s, const PlayerRecord& player, const QString& position);
void FillGoalieLabels(Ui::GoaliePage& g, const PlayerRecord& player, const QString& name,
                      const QString& position);

// Both charts get the view they share and their two series, the second one inactive.
void SetUpRatingCharts(Ui::SkaterPage& skater, Ui::GoaliePage& goalie);
// Condition, the ratings the player's page shows and OV as coloured bars.
void FillRatingChart(BarSeries3D* series, const std::uint8_t* record, bool goaliePage);
// The rating (RatingIndex, OV last) a bar of such a chart stands for, by its caption; -1
// for condition.
int RatingOfBar(const QString& label);

}  // namespace vantrel
