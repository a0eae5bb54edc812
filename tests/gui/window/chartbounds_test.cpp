// The panel's rating bounds on the details charts, and the "View" menu that hides them.

#include "apptest.h"

#include "core/eval/overall.h"
#include "gui/chart/barchart3d.h"

#include <QMenu>
#include <QMenuBar>

#include <cmath>

namespace vantrel::apptest {
namespace {

using ChartBoundsTest = AppTest;

// Where a bound is expected on the skater chart (all ratings) and the goalie chart (no
// DF, no SC; -1).
struct ExpectedBound {
    const char* rating;
    int skaterBar;
    int goalieBar;
    double value;
    BoundMode mode;
    bool fails;
};

void ExpectBound(const BarSeries3D& series, int bar, const ExpectedBound& e) {
    SCOPED_TRACE(series.objectName().toStdString() + " " + e.rating);
    ASSERT_TRUE(series.barHasBound(bar));
    EXPECT_EQ(series.barLabel(bar), e.rating);
    EXPECT_EQ(series.barBoundValue(bar), e.value);
    EXPECT_EQ(series.barBoundMode(bar), e.mode);
    EXPECT_EQ(series.barFailsBound(bar), e.fails);
}

int BoundCount(const BarSeries3D& series) {
    int count = 0;
    for (int i = 0; i < series.barCount(); ++i)
        count += series.barHasBound(i) ? 1 : 0;
    return count;
}

TEST_F(ChartBoundsTest, PanelRatingBoundsMarkTheirBarsAndTheViewMenuHidesThem) {
    // SK 65, PA 68, DF 50.
    const std::array<std::uint8_t, 13> ratings{70, 65, 60, 75, 80, 70, 65, 68, 66, 50, 74, 55, 40};
    const auto centre = leaguegen::PlayerBuilder()
                            .Name("Centre")
                            .Position(0)
                            .Age(25)
                            .Status(0)
                            .Assignment(200)
                            .Ratings(ratings);
    std::vector<std::uint8_t> roster;
    centre.AppendTo(roster);
    roster.resize(2 * 8 * 86, 0);
    LoadLeague(WriteFiles("league", TeamImage({"Alpha", "Bravo"}), roster) + ".ros");
    const double overall = OverallValue(centre.Build().data());
    Require(overall > 0 && overall <= 100 && overall == std::floor(overall), "whole OV");

    // Set after the search: the details show the panel as it is when they are shown.
    Search();
    Tbx(7)->setValue(70);  // SK at least 70
    Tbx(8)->setValue(50);  // PA at least 50
    Cbx(10)->setCheckState(Qt::PartiallyChecked);
    Tbx(10)->setValue(40);  // DF at most 40
    Cbx(14)->setCheckState(Qt::Checked);
    Tbx(14)->setValue(static_cast<int>(overall));  // OV exactly the player's
    const auto showDetails = [this] {
        auto* found = Control<QTableView>("found");
        found->selectRow(0);
        QTest::mouseClick(Control<QPushButton>("Button1"), Qt::LeftButton);
    };
    showDetails();

    auto* skater = Control<BarChart3D>("ch")->findChild<BarSeries3D*>("Series1");
    auto* goalie = Control<BarChart3D>("Chart1")->findChild<BarSeries3D*>("BarSeries1");
    Require(skater && goalie && skater->barCount() == 15 && goalie->barCount() == 13, "charts");
    const ExpectedBound expected[] = {
        {"SK", 7, 7, 70, BoundMode::kAtLeast, true},
        {"PA", 8, 8, 50, BoundMode::kAtLeast, false},
        {"DF", 10, -1, 40, BoundMode::kAtMost, true},
        {"OV", 14, 12, overall, BoundMode::kEqual, false},
    };
    for (const ExpectedBound& e : expected) {
        ExpectBound(*skater, e.skaterBar, e);
        if (e.goalieBar >= 0)
            ExpectBound(*goalie, e.goalieBar, e);
    }
    EXPECT_EQ(BoundCount(*skater), 4);
    EXPECT_EQ(BoundCount(*goalie), 3);

    // Shown again, the details follow the panel: SK at least 0 tests nothing.
    Tbx(7)->setValue(0);
    showDetails();
    EXPECT_FALSE(skater->barHasBound(7));
    EXPECT_EQ(BoundCount(*skater), 3);

    // "View", between "File", "Edit" and "Players", switches the bounds of both charts.
    const QList<QAction*> menus = Window().menuBar()->actions();
    const qsizetype view = menus.indexOf(Control<QMenu>("View1")->menuAction());
    ASSERT_GT(view, 1);
    EXPECT_EQ(menus[view - 2], Control<QMenu>("Datei1")->menuAction());
    EXPECT_EQ(menus[view - 1], Control<QMenu>("Edit1")->menuAction());
    EXPECT_EQ(menus[view + 1], Control<QMenu>("Players1")->menuAction());
    QAction* thresholds = Action("SearchThresholdsOnChart1");
    EXPECT_EQ(thresholds->text(), "Search Thresholds on Chart");
    ASSERT_TRUE(thresholds->isCheckable());
    ASSERT_TRUE(thresholds->isChecked());
    for (bool shown : {false, true}) {
        thresholds->trigger();
        EXPECT_EQ(thresholds->isChecked(), shown);
        EXPECT_EQ(Control<BarChart3D>("ch")->thresholdsVisible(), shown);
        EXPECT_EQ(Control<BarChart3D>("Chart1")->thresholdsVisible(), shown);
    }
}

}  // namespace
}  // namespace vantrel::apptest
