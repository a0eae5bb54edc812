// The compare window opened from the list's context menu and by its keys: the columns,
// the best values, the league ranks against a count made here, the chart's series and
// the legend; the hint for a wrong number of rows and the refusal of stale rows.

#include "apptest.h"

#include "core/league/programerror.h"
#include "core/league/records.h"
#include "gui/chart/barchart3d.h"
#include "gui/sidewindows/comparewindow.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QTableWidget>

namespace vantrel::apptest {
namespace {

using leaguegen::PlayerBuilder;

struct Hand {
    const char* name;
    int position;
    int sk;
};
// Two teams of three: four skaters and two goalies (Cy, Fay). SK 80 twice: a tie for the
// best. Cy is first of the two goalies but would be last among the skaters.
constexpr Hand kPlayers[] = {{"Ann Kell", 0, 80}, {"Bo Rand", 1, 80},  {"Cy Moor", 4, 50},
                             {"Dee Lorn", 3, 60}, {"Eli Voss", 2, 70}, {"Fay Quin", 4, 40}};
constexpr int kFacts = static_cast<int>(kCompareFacts.size());

class CompareTest : public AppTest {
  protected:
    void LoadAndList() {
        std::vector<std::uint8_t> roster;
        for (const Hand& p : kPlayers)
            PlayerBuilder()
                .Name(p.name)
                .Position(static_cast<std::uint8_t>(p.position))
                .Rating(kSK, static_cast<std::uint8_t>(p.sk))
                .Rating(kDF, 55)
                .AppendTo(roster);
        base_ = WriteFiles("cmp", TeamImage({"Alpha", "Bravo"}), roster);
        LoadLeague(base_ + ".ros");
        Search();
    }
    CompareWindow& Compare() { return *program_->compare; }
    QTableWidget* Table() { return ChildOf<QTableWidget>(Compare(), "compareTable"); }

    // The list's context menu, "Compare" chosen with the keyboard.
    std::vector<BoxSeen> CompareByMenu(std::initializer_list<int> rows) {
        SelectRows(rows);
        ModalAnswerer answerer;
        QTimer::singleShot(0, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* action : menu->actions())
                if (action->text() == "Compare")
                    menu->setActiveAction(action);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        const QPoint at(20, 5);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, Found()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(Found()->viewport(), &click);
        return answerer.Boxes();
    }
    std::vector<BoxSeen> CompareByKeys(std::initializer_list<int> rows) {
        SelectRows(rows);
        ModalAnswerer answerer;
        Found()->setFocus();
        QTest::keyClick(Found(), Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
        return answerer.Boxes();
    }
    QStringList ColumnNames() {
        QStringList names;
        for (int c = 0; c < Table()->columnCount(); ++c)
            names << Table()->horizontalHeaderItem(c)->text();
        return names;
    }
    QString base_;
};

TEST_F(CompareTest, TwoToFourRowsOpenTheWindowByMenuAndKeys) {
    LoadAndList();
    EXPECT_TRUE(CompareByKeys({0, 4}).empty());
    ASSERT_TRUE(Compare().isVisible());
    EXPECT_EQ(ColumnNames(), QStringList({"Ann Kell", "Eli Voss"}));
    EXPECT_TRUE(CompareByMenu({0, 1, 4}).empty());
    EXPECT_EQ(ColumnNames(), QStringList({"Ann Kell", "Bo Rand", "Eli Voss"}));
    EXPECT_TRUE(CompareByMenu({0, 1, 2, 3}).empty());
    ASSERT_EQ(ColumnNames(), QStringList({"Ann Kell", "Bo Rand", "Cy Moor", "Dee Lorn"}));

    // The facts as the list writes them, the team from the team file.
    EXPECT_EQ(Table()->item(1, 2)->text(), "Alpha");
    EXPECT_EQ(Table()->item(1, 3)->text(), "Bravo");
    EXPECT_EQ(Table()->item(2, 2)->text(), "G");

    // SK: the tie for the best is marked twice; ranks within each player's group.
    const int skRow = kFacts + kSK;
    for (int c = 0; c < 4; ++c) {
        const QTableWidgetItem* cell = Table()->item(skRow, c);
        const bool best = c < 2;
        EXPECT_EQ(cell->font().bold(), best) << c;
        EXPECT_EQ(cell->data(Qt::UserRole).toBool(), best) << c;
        EXPECT_EQ(cell->background().color() == CompareWindow::BestValueColour(), best) << c;
    }
    EXPECT_EQ(Table()->item(skRow, 0)->text(), "80   (top 25 %)");
    EXPECT_EQ(Table()->item(skRow, 3)->text(), "60   (top 100 %)");
    EXPECT_EQ(Table()->item(skRow, 2)->text(), "50   (top 50 %)");
    EXPECT_EQ(Table()->item(skRow, 3)->toolTip(), "SK 60: rank 4 of 4 skaters, top 100 %");
    EXPECT_EQ(Table()->item(skRow, 2)->toolTip(), "SK 50: rank 1 of 2 goalies, top 50 %");
    // The goalie page shows no DF and no SC; the skaters' equal DF are all best.
    for (const int rating : {kDF, kSC})
        EXPECT_EQ(Table()->item(kFacts + rating, 2)->text(), QString::fromUtf8("\u2013"));
    EXPECT_TRUE(Table()->item(kFacts + kDF, 3)->data(Qt::UserRole).toBool());

    // One series a player in that player's colour, and the legend naming them.
    auto* chart = ChildOf<BarChart3D>(Compare(), "compareChart");
    int active = 0;
    for (const BarSeries3D* series : chart->Series()) {
        if (!series->active())
            continue;
        ASSERT_EQ(series->barCount(), kRatingCriteriaCount);
        EXPECT_EQ(series->barQColor(0).rgb(), CompareWindow::PlayerColour(active).rgb());
        EXPECT_EQ(series->barValue(kSK), kPlayers[active].sk);
        auto* legend = ChildOf<QLabel>(Compare(), "legend" + QString::number(active));
        EXPECT_TRUE(legend->text().contains(kPlayers[active].name));
        EXPECT_TRUE(legend->text().contains(CompareWindow::PlayerColour(active).name()));
        ++active;
    }
    EXPECT_EQ(active, 4);
    EXPECT_EQ(Compare().windowModality(), Qt::NonModal);
}

// The list's actions do what they say when triggered without the menu or the keys, as an
// accessibility client triggers them.
TEST_F(CompareTest, ListActionsWorkWhenTriggeredDirectly) {
    LoadAndList();
    SelectRows({1, 5});
    ChildOf<QAction>(*Found(), "Compare1")->trigger();
    ASSERT_TRUE(Compare().isVisible());
    EXPECT_EQ(ColumnNames(), QStringList({"Bo Rand", "Fay Quin"}));
    ChildOf<QAction>(*Found(), "Details1")->trigger();
    EXPECT_EQ(PageLabel("TabSheet2", "Label5"), "Bo Rand");
}

TEST_F(CompareTest, OneOrFiveRowsGiveAHintAndStaleRowsAreRefused) {
    LoadAndList();
    for (const auto& boxes : {CompareByKeys({2}), CompareByMenu({0, 1, 2, 3, 4})}) {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(boxes[0].text.startsWith("Select 2 to 4 players"))
            << boxes[0].text.toStdString();
    }
    EXPECT_FALSE(Compare().isVisible());

    LoadLeague(base_ + ".ros");  // the same files again: the listed rows are of the old images
    const std::vector<BoxSeen> boxes = CompareByKeys({0, 1});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromUtf8(kNoInformation));
    EXPECT_FALSE(Compare().isVisible());
}

// The tips of the SK and OV bars of a details chart.
QStringList SkAndOvTips(const BarChart3D& chart) {
    const BarSeries3D* bars = chart.Series().front();
    QStringList tips;
    for (int i = 0; i < bars->barCount(); ++i) {
        if (bars->barLabel(i) == "SK" || bars->barLabel(i) == "OV")
            tips << bars->barToolTip(i);
    }
    return tips;
}

TEST_F(CompareTest, DetailsChartBarsTellTheRankOfTheirRatingInThePlayersGroup) {
    LoadAndList();
    ShowDetailsOfRow(3);
    QStringList tips = SkAndOvTips(*Control<BarChart3D>("ch"));
    ASSERT_EQ(tips.size(), 2);
    EXPECT_EQ(tips[0], "SK 60: rank 4 of 4 skaters, top 100 %");
    EXPECT_TRUE(tips[1].startsWith("OV ")) << tips[1].toStdString();
    ShowDetailsOfRow(2);
    tips = SkAndOvTips(*Control<BarChart3D>("Chart1"));
    ASSERT_EQ(tips.size(), 2);
    EXPECT_EQ(tips[0], "SK 50: rank 1 of 2 goalies, top 50 %");
}

}  // namespace
}  // namespace vantrel::apptest
