// The rating charts of the details pages: condition, ratings and OV as coloured bars,
// and the zoom-in animation that turns both charts into view.

#include "gui/window/mainwindow.h"

#include "core/eval/overall.h"
#include "core/eval/vocabulary.h"
#include "core/league/records.h"
#include "gui/chart/barchart3d.h"

#include "ui_goaliepage.h"
#include "ui_skaterpage.h"

#include <QTimer>

#include <cmath>

namespace {

// Colours as the charts take them, 0x00BBGGRR.
constexpr std::uint32_t kConditionColour = 0x800000;  // navy
constexpr std::uint32_t kRatingColour = 0xFF0000;     // blue
constexpr std::uint32_t kOverallColour = 0x800080;    // purple

constexpr double kAnimationStep = 0.04;
constexpr double kQuarterTurn = 1.5707963267948966;  // pi/2 as a double

void FillChart(vantrel::BarSeries3D* series, const std::uint8_t* record, bool withDefence) {
    const vantrel::PlayerRecord player(record);
    series->Clear();
    series->AddBar(player.Condition(), QStringLiteral("CON"), kConditionColour);
    for (int i = 0; i < vantrel::kStoredRatingCount; ++i) {
        if (!withDefence && (i == vantrel::kDF || i == vantrel::kSC))
            continue;
        const std::string_view label = vantrel::RatingAbbrev(i);
        series->AddBar(player.Rating(i),
                       QString::fromLatin1(label.data(), static_cast<qsizetype>(label.size())),
                       kRatingColour);
    }
    series->AddBar(vantrel::OverallValue(record), QStringLiteral("OV"), kOverallColour);
}

// The view both charts share; only zoom and rotation move during the animation.
void ApplyChartSettings(vantrel::BarChart3D* chart) {
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

void VAvevadi::SetUpRatingCharts() {
    ch_ = skaterUi_->ch;
    chart1_ = goalieUi_->Chart1;
    for (vantrel::BarChart3D* chart : {ch_, chart1_})
        ApplyChartSettings(chart);
    series1_ = ch_->AddSeries(QStringLiteral("Series1"));
    ch_->AddSeries(QStringLiteral("Series2"))->setActive(false);
    barSeries1_ = chart1_->AddSeries(QStringLiteral("BarSeries1"));
    chart1_->AddSeries(QStringLiteral("BarSeries2"))->setActive(false);
    series1_->Clear();
}

void VAvevadi::FillRatingCharts(const std::uint8_t* record) {
    FillChart(series1_, record, true);
    FillChart(barSeries1_, record, false);
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
    for (vantrel::BarChart3D* chart : {ch_, chart1_}) {
        chart->setZoom(zoom);
        chart->setRotation(rotation);
    }
}
