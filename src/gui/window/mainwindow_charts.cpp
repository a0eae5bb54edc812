// The rating charts of the details pages: condition, ratings and OV as coloured bars,
// the panel's rating bounds on them, and the zoom-in animation that turns both charts
// into view.

#include "gui/window/mainwindow.h"

#include "core/eval/overall.h"
#include "core/eval/vocabulary.h"
#include "core/league/records.h"
#include "gui/chart/barchart3d.h"

#include "ui_goaliepage.h"
#include "ui_skaterpage.h"

#include <QTimer>

#include <array>
#include <cmath>

namespace {

// Colours as the charts take them, 0x00BBGGRR.
constexpr std::uint32_t kConditionColour = 0x800000;  // navy
constexpr std::uint32_t kRatingColour = 0xFF0000;     // blue
constexpr std::uint32_t kOverallColour = 0x800080;    // purple

constexpr double kAnimationStep = 0.04;
constexpr double kQuarterTurn = 1.5707963267948966;  // pi/2 as a double

// The bar of each rating (RatingIndex, OV last) in a chart; -1 where the chart has none.
using RatingBars = std::array<int, vantrel::kRatingCriteriaCount>;

RatingBars FillChart(vantrel::BarSeries3D* series, const std::uint8_t* record, bool withDefence) {
    const vantrel::PlayerRecord player(record);
    RatingBars bars;
    bars.fill(-1);
    series->Clear();
    series->AddBar(player.Condition(), QStringLiteral("CON"), kConditionColour);
    for (int i = 0; i < vantrel::kStoredRatingCount; ++i) {
        if (!withDefence && (i == vantrel::kDF || i == vantrel::kSC))
            continue;
        const std::string_view label = vantrel::RatingAbbrev(i);
        bars[static_cast<std::size_t>(i)] = series->barCount();
        series->AddBar(player.Rating(i),
                       QString::fromLatin1(label.data(), static_cast<qsizetype>(label.size())),
                       kRatingColour);
    }
    bars[vantrel::kOverallIndex] = series->barCount();
    series->AddBar(vantrel::OverallValue(record), QStringLiteral("OV"), kOverallColour);
    return bars;
}

vantrel::BoundMode ModeOf(vantrel::CriterionMode mode) {
    switch (mode) {
        case vantrel::CriterionMode::kAtLeast:
            return vantrel::BoundMode::kAtLeast;
        case vantrel::CriterionMode::kAtMost:
            return vantrel::BoundMode::kAtMost;
        case vantrel::CriterionMode::kEqual:
            break;
    }
    return vantrel::BoundMode::kEqual;
}

// Every rating criterion the filter tests, on its bar; whether the bar fails is the
// filter's own verdict.
void SetRatingBounds(vantrel::BarSeries3D* series, const RatingBars& bars,
                     const vantrel::SearchCriteria& criteria, const vantrel::PlayerFilter& filter,
                     std::uint32_t failed) {
    for (int criterion : filter.ActiveCriteria()) {
        const int rating = criterion - vantrel::kFirstRatingCriterion;
        if (rating < 0 || bars[static_cast<std::size_t>(rating)] < 0)
            continue;
        const int bar = bars[static_cast<std::size_t>(rating)];
        const vantrel::RatingCriterion& bound = criteria.ratings[static_cast<std::size_t>(rating)];
        const bool fails = ((failed >> criterion) & 1u) != 0;
        series->setBarBound(bar, bound.threshold, ModeOf(bound.mode), fails);
    }
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
    const RatingBars skaterBars = FillChart(series1_, record, true);
    const RatingBars goalieBars = FillChart(barSeries1_, record, false);
    // The panel as it is now. Rating tests do not depend on where the record lies, so
    // offset 0 gives their bits as the search would.
    BindCriteriaControls();
    const vantrel::SearchCriteria criteria = CurrentCriteria();
    const vantrel::PlayerFilter filter(criteria, league_.TeamStride);
    const std::uint32_t failed = filter.FailedCriteria(record, 0);
    SetRatingBounds(series1_, skaterBars, criteria, filter, failed);
    SetRatingBounds(barSeries1_, goalieBars, criteria, filter, failed);
    // A running animation simply starts over.
    AnimationAngle = 0;
    tim_->start();
}

void VAvevadi::SearchThresholdsOnChart1Click(bool shown) {
    for (vantrel::BarChart3D* chart : {ch_, chart1_})
        chart->setThresholdsVisible(shown);
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
