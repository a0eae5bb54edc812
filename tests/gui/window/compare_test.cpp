// The compare window opened from the list's context menu and by its keys: the columns,
// the best values, the league ranks against a count made here, the chart's series and
// the legend; the hint for a wrong number of rows and the refusal of stale rows.

#include "apptest.h"

#include "core/eval/leaguerank.h"
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
// Two teams of three; the third is a goalie. SK 80 twice: a tie for the best.
constexpr Hand kPlayers[] = {{"Ann Kell", 0, 80}, {"Bo Rand", 1, 80},  {"Cy Moor", 4, 50},
                             {"Dee Lorn", 3, 60}, {"Eli Voss", 2, 70}, {"Fay Quin", 0, 40}};
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
        QTest::mouseClick(Control<QPushButton>("Button2"), Qt::LeftButton);
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

// "top N %" of a skater's SK, counted over the skaters of the league.
QString SkaterTop(int sk) {
    int higher = 0, skaters = 0;
    for (const Hand& p : kPlayers) {
        if (p.position == 4)
            continue;
        ++skaters;
        higher += p.sk > sk ? 1 : 0;
    }
    return QStringLiteral("top %1 %").arg(((higher + 1) * 100 + skaters - 1) / skaters);
}

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
    EXPECT_EQ(Table()->item(skRow, 0)->text(), "80   (" + SkaterTop(80) + ")");
    EXPECT_EQ(Table()->item(skRow, 3)->text(), "60   (" + SkaterTop(60) + ")");
    EXPECT_EQ(Table()->item(skRow, 2)->text(), "50   (top 100 %)");  // the only goalie
    EXPECT_TRUE(Table()->item(skRow, 3)->toolTip().startsWith("SK 60: rank 4 of 5 skaters"));
    // The goalie page shows no DF; the skaters' equal DF are all best.
    EXPECT_EQ(Table()->item(kFacts + kDF, 2)->text(), QString::fromUtf8("\u2013"));
    EXPECT_TRUE(Table()->item(kFacts + kDF, 3)->data(Qt::UserRole).toBool());

    // One series a player in that player's colour, and the legend naming them.
    auto* chart = ChildOf<BarChart3D>(Compare(), "compareChart");
    int active = 0;
    for (const BarSeries3D* series : chart->Series()) {
        if (!series->active())
            continue;
        ASSERT_EQ(series->barCount(), kCompareRatings);
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

TEST_F(CompareTest, DetailsChartBarsTellTheRankOfTheirRating) {
    LoadAndList();
    SelectRows({3});
    QTest::mouseClick(Control<QPushButton>("Button1"), Qt::LeftButton);
    const BarSeries3D* bars = ChildOf<BarChart3D>(Window(), "ch")->Series().front();
    QStringList tips;
    for (int i = 0; i < bars->barCount(); ++i) {
        if (bars->barLabel(i) == "SK" || bars->barLabel(i) == "OV")
            tips << bars->barToolTip(i);
    }
    ASSERT_EQ(tips.size(), 2);
    EXPECT_EQ(tips[0], "SK 60: rank 4 of 5 skaters, " + SkaterTop(60));
    EXPECT_TRUE(tips[1].startsWith("OV ")) << tips[1].toStdString();
}

}  // namespace
}  // namespace vantrel::apptest
