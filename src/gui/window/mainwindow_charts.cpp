// The rating charts of the details pages: condition, ratings and OV as coloured bars, and
// the zoom-in animation that turns both charts into view.

#include "gui/window/mainwindow.h"

#include "core/eval/leaguerank.h"
#include "core/eval/overall.h"
#include "core/eval/vocabulary.h"
#include "core/league/records.h"
#include "gui/chart/barchart3d.h"
#include "gui/common/displaytext.h"
#include "gui/window/detailspages.h"

#include "ui_goaliepage.h"
#include "ui_skaterpage.h"

#include <QTimer>

#include <cmath>

namespace vantrel {

namespace {

// Colours as the charts take them, 0x00BBGGRR.
constexpr std::uint32_t kConditionColour = 0x800000;  // navy
constexpr std::uint32_t kRatingColour = 0xFF0000;     // blue
constexpr std::uint32_t kOverallColour = 0x800080;    // purple

constexpr double kAnimationStep = 0.04;
constexpr double kQuarterTurn = 1.5707963267948966;  // pi/2 as a double

// The view both charts share; only zoom and rotation move during the animation.
void ApplyChartSettings(BarChart3D* chart) {
    chart->setChart3DPercent(45);
    chart->setOrthogonal(false);
    chart->setElevation(336);
    chart->setPerspective(68);
    chart->setHorizOffset(-9);
    chart->setVertOffset(-2);
    chart->setRotation(270);
    chart->setZoom(10);
}

}  // namespace

void SetUpRatingCharts(Ui::SkaterPage& skater, Ui::GoaliePage& goalie) {
    for (BarChart3D* chart : {skater.ch, goalie.Chart1})
        ApplyChartSettings(chart);
    BarSeries3D* series1 = skater.ch->AddSeries(QStringLiteral("Series1"));
    skater.ch->AddSeries(QStringLiteral("Series2"))->setActive(false);
    goalie.Chart1->AddSeries(QStringLiteral("BarSeries1"));
    goalie.Chart1->AddSeries(QStringLiteral("BarSeries2"))->setActive(false);
    series1->Clear();
}

void FillRatingChart(BarSeries3D* series, const std::uint8_t* record, bool goaliePage) {
    const PlayerRecord player(record);
    const RankGroup shownAs = goaliePage ? RankGroup::kGoalies : RankGroup::kSkaters;
    series->Clear();
    series->AddBar(player.Condition(), QStringLiteral("CON"), kConditionColour);
    for (int i = 0; i < kStoredRatingCount; ++i) {
        if (ShowsRating(shownAs, i))
            series->AddBar(player.Rating(i), Utf8Text(RatingAbbrev(i)), kRatingColour);
    }
    series->AddBar(OverallValue(record), QStringLiteral("OV"), kOverallColour);
}

int RatingOfBar(const QString& label) {
    for (int rating = 0; rating < kRatingCriteriaCount; ++rating) {
        if (label == Utf8Text(RatingAbbrev(rating)))
            return rating;
    }
    return -1;
}

void VAvevadi::FillRatingCharts(const std::uint8_t* record) {
    FillRatingChart(series1_, record, false);
    FillRatingChart(barSeries1_, record, true);
    // A running animation simply starts over.
    AnimationAngle = 0;
    tim_->start();
}

void VAvevadi::timTimer() {
    if (AnimationAngle > kQuarterTurn) {
        tim_->stop();
        return;
    }
    AnimationAngle += kAnimationStep;
    const double sine = std::sin(AnimationAngle);
    const double s = sine * sine;
    const int zoom = static_cast<int>(s * 83 + 10);
    const int rotation = static_cast<int>(s * 77 + 270);
    for (BarChart3D* chart : {ch_, chart1_}) {
        chart->setZoom(zoom);
        chart->setRotation(rotation);
    }
}

}  // namespace vantrel
