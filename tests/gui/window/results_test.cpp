// The result list after a search: ordering by header clicks, the details pages and the
// rating charts, driven through the window's own controls.

#include "apptest.h"

#include "core/eval/overall.h"
#include "core/league/programerror.h"
#include "gui/chart/barchart3d.h"
#include "gui/chartpixels.h"
#include "gui/results/resultmodel.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include <cmath>

namespace vantrel::apptest {
namespace {

using leaguegen::PlayerBuilder;

class ResultsTest : public AppTest {
  protected:
    // Two teams of `slotsPerTeam` records each; the players fill the slots in order.
    void LoadPlayers(const std::vector<PlayerBuilder>& players, int slotsPerTeam = 8) {
        std::vector<std::uint8_t> roster;
        for (const PlayerBuilder& p : players)
            p.AppendTo(roster);
        roster.resize(static_cast<std::size_t>(2 * slotsPerTeam * 86), 0);
        LoadLeague(WriteFiles("league", TeamImage({"Alpha", "Bravo"}), roster) + ".ros");
    }

    QAbstractItemModel* Model() { return Found()->model(); }
    int RowOf(const QString& name) { return static_cast<int>(Column(kNameColumn).indexOf(name)); }
    void ShowDetailsOf(const QString& name) { ShowDetailsOfRow(RowOf(name)); }
    QString SkaterLabel(const char* name) { return PageLabel("TabSheet2", name); }
    QString GoalieLabel(const char* name) { return PageLabel("TabSheet3", name); }
    QStringList VisibleTabs() {
        auto* pc = Control<QTabWidget>("pc");
        QStringList tabs;
        for (int i = 0; i < pc->count(); ++i)
            if (pc->isTabVisible(i))
                tabs << pc->widget(i)->objectName();
        return tabs;
    }
    BarChart3D* Chart(const char* name) { return Control<BarChart3D>(name); }
    BarSeries3D* Bars(const char* chart, const char* series) {
        BarSeries3D* s = Chart(chart)->findChild<BarSeries3D*>(series);
        Require(s != nullptr, std::string("series ") + series);
        return s;
    }
};

PlayerBuilder Skater(std::string_view name) {
    return PlayerBuilder().Name(name).Position(0).Age(25).Hand(0).Status(0).Assignment(200);
}

TEST_F(ResultsTest, NamesSortAsRawBytesAndNumbersAsNumbers) {
    LoadPlayers({Skater("anna").Salary(10).Age(20), Skater("Zed").Salary(9).Age(200),
                 Skater("Leeds").Salary(100).Position(3), Skater("Lee").Salary(-5).Position(1),
                 Skater("\xC9mile").Position(7), Skater("Otto").Position(4),
                 Skater("Rob").Position(2)});
    Search();
    ASSERT_EQ(Model()->rowCount(), 7);

    ClickHeader(kNameColumn);
    EXPECT_EQ(Column(kNameColumn),
              QStringList({"Lee", "Leeds", "Otto", "Rob", "Zed", "anna", "\u00C9mile"}));
    ClickHeader(kNameColumn);
    EXPECT_EQ(Column(kNameColumn),
              QStringList({"\u00C9mile", "anna", "Zed", "Rob", "Otto", "Leeds", "Lee"}));

    ClickHeader(kPositionColumn);
    EXPECT_EQ(Column(kPositionColumn), QStringList({"", "C", "C", "D", "G", "LW", "RW"}));

    ClickHeader(kSalaryColumn);
    EXPECT_EQ(Column(kSalaryColumn).mid(0, 4), QStringList({"-5", "0", "0", "0"}));
    EXPECT_EQ(Column(kSalaryColumn).mid(4), QStringList({"9", "10", "100"}));

    // Age is shown signed: the byte 200 is -56 and sorts first.
    ClickHeader(kAgeColumn);
    EXPECT_EQ(Column(kAgeColumn).first(), "-56");
    EXPECT_EQ(Window().SortKey, kAgeColumn + 1);
    ClickHeader(kAgeColumn);
    EXPECT_EQ(Column(kAgeColumn).last(), "-56");
    EXPECT_EQ(Window().SortKey, -(kAgeColumn + 1));
    ClickHeader(kAgeColumn);
    EXPECT_EQ(Column(kAgeColumn).first(), "-56");
    EXPECT_EQ(Found()->horizontalHeader()->sortIndicatorSection(), kAgeColumn);

    // Every row still answers its own record index after sorting.
    for (int row = 0; row < Model()->rowCount(); ++row) {
        const int record = Model()->index(row, 0).data(kRecordIndexRole).toInt();
        EXPECT_EQ(
            Model()->index(row, kNameColumn).data().toString(),
            QStringList({"anna", "Zed", "Leeds", "Lee", "\u00C9mile", "Otto", "Rob"})[record]);
    }

    // A new search lists in record order again and the next click sorts ascending.
    Search();
    EXPECT_EQ(Window().SortKey, 0);
    EXPECT_EQ(Column(kNameColumn).first(), "anna");
    ClickHeader(kAgeColumn);
    EXPECT_EQ(Column(kAgeColumn).first(), "-56");
}

TEST_F(ResultsTest, SortKeepsTheSelectedRowsSelected) {
    LoadPlayers(
        {Skater("Cee").Rating(1, 30), Skater("Bee").Rating(1, 10), Skater("Aye").Rating(1, 20)});
    Search();
    SelectRows({RowOf("Bee")});
    ClickHeader(kFirstRatingColumn + 1);  // SP
    EXPECT_EQ(Column(kFirstRatingColumn + 1), QStringList({"10", "20", "30"}));
    const QModelIndexList selected = Found()->selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0].data().toString(), "Bee");
}

TEST_F(ResultsTest, DetailsOfTheFirstSelectedRowInDisplayOrder) {
    LoadPlayers({Skater("Zed").Number(9), Skater("Adam").Number(11), Skater("Moe").Number(12)});
    Search();
    // Nothing selected: nothing changes.
    QTest::mouseClick(Control<QPushButton>("Button1"), Qt::LeftButton);
    EXPECT_EQ(SkaterLabel("Label5"), "...");
    EXPECT_EQ(Control<QTabWidget>("pc")->currentWidget()->objectName(), "TabSheet1");

    ClickHeader(kNameColumn);
    SelectRows({RowOf("Zed"), RowOf("Moe")});
    QTest::mouseClick(Control<QPushButton>("Button1"), Qt::LeftButton);
    EXPECT_EQ(SkaterLabel("Label5"), "Moe");
    EXPECT_EQ(SkaterLabel("Label9"), "12");
    EXPECT_EQ(SkaterLabel("Label36"), "Alpha");

    // A double-click on the list does the same.
    SelectRows({RowOf("Adam")});
    Control<QTabWidget>("pc")->setCurrentIndex(0);
    const QRect cell = Found()->visualRect(Model()->index(RowOf("Adam"), 0));
    QTest::mouseDClick(Found()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_EQ(SkaterLabel("Label5"), "Adam");
    EXPECT_EQ(Control<QTabWidget>("pc")->currentWidget()->objectName(), "TabSheet2");
}

TEST_F(ResultsTest, SkaterAndGoaliePagesWithTheirTabs) {
    LoadPlayers({Skater("Skat").Position(2).GoalsOrPim(2).Shots(7).Assists(5).Number(17),
                 PlayerBuilder()
                     .Name("Goal")
                     .Position(4)
                     .Number(31)
                     .ShortCode("ABC")
                     .GamesPlayed(10)
                     .PimOrGoalsAgainst(20)
                     .Shots(300)
                     .ShortHandedGoalsOrWins(6)
                     .GameWinningGoalsOrLosses(3)
                     .GameTyingGoalsOrTies(1)
                     .GoalsOrPim(4)
                     .PowerPlayGoalsOrShutouts(2)
                     .Assists(1),
                 Skater("Stray").Position(7)},
                2);
    Search();
    EXPECT_EQ(VisibleTabs(), QStringList({"TabSheet1", "TabSheet2"}));

    ShowDetailsOf("Goal");
    EXPECT_EQ(VisibleTabs(), QStringList({"TabSheet1", "TabSheet3"}));
    EXPECT_EQ(Control<QTabWidget>("pc")->currentWidget()->objectName(), "TabSheet3");
    EXPECT_EQ(GoalieLabel("Label79"), "Goal");
    EXPECT_EQ(GoalieLabel("Label80"), "ABC");
    EXPECT_EQ(GoalieLabel("Label78"), "31");
    EXPECT_EQ(GoalieLabel("Label83"), "Goalie");
    EXPECT_EQ(GoalieLabel("Label81"), "Alpha");
    EXPECT_EQ(GoalieLabel("Label127"), "0.933333333333333");
    EXPECT_EQ(GoalieLabel("Label119"), "2");
    EXPECT_EQ(GoalieLabel("Label109"), "6");
    EXPECT_EQ(GoalieLabel("Label114"), "3");
    EXPECT_EQ(GoalieLabel("Label118"), "1");
    EXPECT_EQ(GoalieLabel("Label107"), "4");
    EXPECT_EQ(GoalieLabel("Label115"), "2");
    EXPECT_EQ(GoalieLabel("Label121"), "20");
    EXPECT_EQ(GoalieLabel("Label123"), "300");
    // The skater page is written for a goalie too.
    EXPECT_EQ(SkaterLabel("Label5"), "Goal");

    ShowDetailsOf("Skat");
    EXPECT_EQ(VisibleTabs(), QStringList({"TabSheet1", "TabSheet2"}));
    EXPECT_EQ(SkaterLabel("Label8"), "Right Wing");
    EXPECT_EQ(SkaterLabel("Label67"), "28.5714285714286");
    EXPECT_EQ(SkaterLabel("Label52"), "7");
    EXPECT_EQ(GoalieLabel("Label79"), "Skat");
    EXPECT_EQ(GoalieLabel("Label80"), "");

    // A stray position shows the skater page with an empty position.
    ShowDetailsOf("Stray");
    EXPECT_EQ(VisibleTabs(), QStringList({"TabSheet1", "TabSheet2"}));
    EXPECT_EQ(SkaterLabel("Label8"), "");
    EXPECT_EQ(SkaterLabel("Label36"), "Bravo");  // record 2 of two-slot teams
}

TEST_F(ResultsTest, RatiosUseTheLocaleSeparator) {
    LoadPlayers({Skater("Skat").GoalsOrPim(2).Shots(7)});
    Search();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ShowDetailsOf("Skat");
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(SkaterLabel("Label67"), "28,5714285714286");
}

TEST_F(ResultsTest, CodedFieldsAndPlayersWhoHaveNotPlayed) {
    LoadPlayers({Skater("First")
                     .Hand(1)
                     .Status(255)
                     .Assignment(203)
                     .PlusMinus(253)
                     .Age(200)
                     .GoalsOrPim(255)
                     .Assists(255)
                     .Shots(1000)
                     .Salary(-12),
                 Skater("Odd").Hand(2).Status(17).Assignment(50),
                 PlayerBuilder().Name("Keeper").Position(4).Hand(0).Status(0).Assignment(200)});
    Search();
    ShowDetailsOf("First");
    EXPECT_EQ(SkaterLabel("Label74"), "Right-Handed");
    EXPECT_EQ(SkaterLabel("Label21"), "Rookie");
    EXPECT_EQ(SkaterLabel("Label76"), "Scratch");
    EXPECT_EQ(SkaterLabel("Label69"), "3-4 weeks");
    EXPECT_EQ(SkaterLabel("Label57"), "253");
    EXPECT_EQ(SkaterLabel("Label22"), "200");
    EXPECT_EQ(SkaterLabel("Label52"), "510");
    EXPECT_EQ(SkaterLabel("Label71"), "-12");
    EXPECT_EQ(SkaterLabel("Label67"), "25.5");

    // Hand 2 and status 17 have no text: those labels keep the earlier player's.
    ShowDetailsOf("Odd");
    EXPECT_EQ(SkaterLabel("Label5"), "Odd");
    EXPECT_EQ(SkaterLabel("Label74"), "Right-Handed");
    EXPECT_EQ(SkaterLabel("Label21"), "Rookie");
    EXPECT_EQ(GoalieLabel("Label89"), "Right-Handed");
    EXPECT_EQ(SkaterLabel("Label76"), "Scratch");
    EXPECT_EQ(SkaterLabel("Label69"), "Healthy");
    // Nothing played: 0/0 is not a number, the block goes on to the end.
    EXPECT_EQ(SkaterLabel("Label67"), "NAN");
    EXPECT_EQ(GoalieLabel("Label127"), "NAN");
    EXPECT_EQ(GoalieLabel("Label119"), "NAN");

    ShowDetailsOf("Keeper");
    EXPECT_EQ(SkaterLabel("Label76"), "Pro");
    EXPECT_EQ(SkaterLabel("Label69"), "Healthy");
    EXPECT_EQ(GoalieLabel("Label83"), "Goalie");
}

TEST_F(ResultsTest, ADivisionByZeroEndsTheLabelsButNotTheCharts) {
    LoadPlayers({Skater("Before")
                     .Number(5)
                     .Salary(777)
                     .Condition(90)
                     .Contract(3)
                     .Hand(1)
                     .Status(255)
                     .Assignment(0)
                     .GoalsOrPim(1)
                     .Shots(4)
                     .ShortCode("XYZ")
                     .Height(180),
                 Skater("Sniper")
                     .Number(8)
                     .GoalsOrPim(3)
                     .Shots(0)
                     .Salary(1)
                     .Condition(50)
                     .Height(170)
                     .Rating(0, 77),
                 PlayerBuilder()
                     .Name("Penalised")
                     .Position(4)
                     .Number(30)
                     .GoalsOrPim(2)
                     .PimOrGoalsAgainst(0)
                     .Shots(0)
                     .Rating(0, 66)});
    Search();
    ShowDetailsOf("Before");
    ASSERT_EQ(SkaterLabel("Label67"), "25");

    // 3 goals on 0 shots: the block ends at "Shots in %".
    ShowDetailsOf("Sniper");
    EXPECT_EQ(SkaterLabel("Label5"), "Sniper");
    EXPECT_EQ(SkaterLabel("Label9"), "8");
    EXPECT_EQ(SkaterLabel("Label24"), "170");
    EXPECT_EQ(SkaterLabel("Label66"), "0");
    EXPECT_EQ(SkaterLabel("Label67"), "25");
    EXPECT_EQ(SkaterLabel("Label71"), "777");
    EXPECT_EQ(SkaterLabel("Label72"), "90");
    EXPECT_EQ(SkaterLabel("Label70"), "3");
    EXPECT_EQ(SkaterLabel("Label76"), "Farm");
    EXPECT_EQ(SkaterLabel("Label21"), "Rookie");
    EXPECT_EQ(GoalieLabel("Label79"), "Before");
    EXPECT_EQ(GoalieLabel("Label81"), "Alpha");
    EXPECT_EQ(Bars("ch", "Series1")->barValue(1), 77);

    // A goalie with 2 penalty minutes and 0 shots: the skater ratio already faults.
    ShowDetailsOf("Penalised");
    EXPECT_EQ(VisibleTabs(), QStringList({"TabSheet1", "TabSheet3"}));
    EXPECT_EQ(GoalieLabel("Label79"), "Before");
    EXPECT_EQ(GoalieLabel("Label78"), "5");
    EXPECT_EQ(GoalieLabel("Label80"), "XYZ");
    EXPECT_EQ(SkaterLabel("Label5"), "Penalised");
    EXPECT_EQ(Bars("Chart1", "BarSeries1")->barValue(1), 66);
}

TEST_F(ResultsTest, RowsOfAnEarlierLeagueReportAnErrorAndTheProgramGoesOn) {
    LoadPlayers({Skater("Alpha One"), Skater("Alpha Two")});
    Search();
    ASSERT_EQ(Model()->rowCount(), 2);
    // A failed load releases the images; the rows stay listed with their texts.
    const std::vector<BoxSeen> failed = OpenFile(Path("missing.ros"));
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(Model()->index(1, kNameColumn).data().toString(), "Alpha Two");

    SelectRows({1});
    // The button is disabled now; the handler itself reports the row.
    EXPECT_THROW(Window().Button1Click(), vantrel::ProgramError);
    EXPECT_EQ(SkaterLabel("Label5"), "...");

    // Another league loaded: the old rows are not its players.
    LoadPlayers({Skater("Bravo One"), Skater("Bravo Two")});
    ModalAnswerer answerer;
    SelectRows({1});
    auto* button = Control<QPushButton>("Button1");
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(answerer.Boxes().size(), 1u);
    EXPECT_EQ(answerer.Boxes()[0].text,
              QString::fromUtf8("keine Informationen verfügbar (Programmfehler)"));
    EXPECT_EQ(answerer.Boxes()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(SkaterLabel("Label5"), "...");
    Search();
    ShowDetailsOf("Bravo Two");
    EXPECT_EQ(SkaterLabel("Label5"), "Bravo Two");
}

TEST_F(ResultsTest, RecordsBeyondTheTeamBlocksAreReportedNotRead) {
    // Two teams of one slot plus a third record that belongs to no team by index.
    std::vector<std::uint8_t> roster;
    for (const char* name : {"One", "Two", "Three"})
        Skater(name).AppendTo(roster);
    roster.resize(2 * 86 + 86 + 40);
    LoadLeague(WriteFiles("odd", TeamImage({"Alpha", "Bravo"}), roster) + ".tms");
    ASSERT_EQ(Window().League().PlayersPerTeam, 1);
    Search();
    ASSERT_EQ(Column(kNameColumn), QStringList({"One", "Two", "Three"}));
    ModalAnswerer answerer;
    ShowDetailsOf("Three");
    ASSERT_EQ(answerer.Boxes().size(), 1u);
    EXPECT_EQ(answerer.Boxes()[0].text,
              QString::fromUtf8("keine Informationen verfügbar (Programmfehler)"));
    ShowDetailsOf("Two");
    EXPECT_EQ(SkaterLabel("Label36"), "Bravo");
}

TEST_F(ResultsTest, ChartsHoldTheBarsOfThePlayerShownLast) {
    const std::array<std::uint8_t, 13> ratings{70, 65, 60, 75, 80, 70, 72, 68, 66, 50, 74, 55, 40};
    LoadPlayers({Skater("Centre").Ratings(ratings).Condition(93),
                 PlayerBuilder().Name("Keeper").Position(4).Ratings(ratings).Condition(88),
                 Skater("Nowhere").Position(7).Ratings(ratings)});
    Search();
    ShowDetailsOf("Centre");
    BarSeries3D* skater = Bars("ch", "Series1");
    BarSeries3D* goalie = Bars("Chart1", "BarSeries1");
    ASSERT_EQ(skater->barCount(), 15);
    ASSERT_EQ(goalie->barCount(), 13);
    const QStringList skaterLabels{"CON", "IT", "SP", "ST", "EN", "DU", "DI", "SK",
                                   "PA",  "PC", "DF", "SC", "EX", "LD", "OV"};
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(skater->barLabel(i), skaterLabels[i]);
    QStringList goalieLabels = skaterLabels;
    goalieLabels.removeAll("DF");
    goalieLabels.removeAll("SC");
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(goalie->barLabel(i), goalieLabels[i]);
    EXPECT_EQ(skater->barValue(0), 93);
    EXPECT_EQ(skater->barValue(10), 50);
    EXPECT_EQ(skater->barValue(14), 71);  // OV of this centre is 71.386...
    EXPECT_EQ(skater->barColour(0), 0x800000u);
    EXPECT_EQ(skater->barColour(5), 0xFF0000u);
    EXPECT_EQ(skater->barColour(14), 0x800080u);
    EXPECT_EQ(goalie->barValue(10), 55);  // EX follows PC directly
    EXPECT_FALSE(Chart("ch")->findChild<BarSeries3D*>("Series2")->active());
    EXPECT_EQ(Chart("ch")->findChild<BarSeries3D*>("Series2")->barCount(), 0);
    EXPECT_FALSE(Chart("Chart1")->findChild<BarSeries3D*>("BarSeries2")->active());

    ShowDetailsOf("Keeper");
    EXPECT_EQ(skater->barCount(), 15);
    EXPECT_EQ(skater->barValue(0), 88);
    const auto keeper =
        PlayerBuilder().Name("Keeper").Position(4).Ratings(ratings).Condition(88).Build();
    EXPECT_EQ(goalie->barValue(12), OverallValue(keeper.data()));
    EXPECT_EQ(skater->barValue(14), OverallValue(keeper.data()));
    EXPECT_NE(OverallValue(keeper.data()), 71);  // goalie weights, not the centre's

    ShowDetailsOf("Nowhere");
    EXPECT_EQ(skater->barValue(14), 0);
    EXPECT_EQ(goalie->barValue(12), 0);
}

TEST_F(ResultsTest, AnimationRunsFortyTicksAndStopsOnTheNext) {
    LoadPlayers({Skater("Centre")});
    Search();
    ShowDetailsOf("Centre");
    auto* tim = Window().findChild<QTimer*>("tim");
    ASSERT_TRUE(tim->isActive());
    EXPECT_EQ(tim->interval(), 15);
    tim->stop();  // ticks are driven by hand below
    const int zooms[40] = {10, 10, 11, 12, 13, 14, 16, 18, 20, 22, 25, 27, 30, 33,
                           36, 39, 42, 46, 49, 52, 56, 59, 62, 65, 68, 71, 74, 77,
                           79, 82, 84, 86, 87, 89, 90, 91, 92, 92, 92, 92};
    const int rotations[40] = {270, 270, 271, 271, 273, 274, 275, 277, 279, 281, 283, 286, 289, 291,
                               294, 297, 300, 303, 306, 309, 312, 315, 318, 321, 324, 327, 329, 332,
                               334, 336, 338, 340, 342, 343, 344, 345, 346, 346, 346, 346};
    tim->start();
    for (int tick = 0; tick < 40; ++tick) {
        Window().timTimer();
        for (const char* chart : {"ch", "Chart1"}) {
            EXPECT_EQ(Chart(chart)->zoom(), zooms[tick]) << chart << " tick " << tick + 1;
            EXPECT_EQ(Chart(chart)->rotation(), rotations[tick]) << chart << " tick " << tick + 1;
        }
    }
    EXPECT_TRUE(tim->isActive());
    Window().timTimer();
    EXPECT_FALSE(tim->isActive());
    EXPECT_EQ(Chart("ch")->zoom(), 92);
    EXPECT_EQ(Chart("Chart1")->rotation(), 346);

    // A new display restarts: ch jumps back at once, Chart1 keeps its view until a tick.
    for (int tick = 0; tick < 20; ++tick)
        Window().timTimer();
    ShowDetailsOf("Centre");
    EXPECT_TRUE(tim->isActive());
    tim->stop();
    EXPECT_EQ(Chart("ch")->zoom(), 10);
    EXPECT_EQ(Chart("ch")->rotation(), 270);
    EXPECT_EQ(Chart("Chart1")->zoom(), 92);
    EXPECT_EQ(Chart("Chart1")->rotation(), 346);
    EXPECT_DOUBLE_EQ(Window().AnimationAngle, 0);
    Window().timTimer();
    EXPECT_EQ(Chart("Chart1")->zoom(), 10);
    EXPECT_EQ(Chart("Chart1")->rotation(), 270);
    Window().timTimer();
    Window().timTimer();
    EXPECT_EQ(Chart("ch")->zoom(), 11);
    EXPECT_EQ(Chart("ch")->rotation(), 271);

    // Left to the real timer, the animation ends by itself at the end view.
    tim->start();
    ASSERT_TRUE(QTest::qWaitFor([tim] { return !tim->isActive(); }, 5000));
    EXPECT_EQ(Chart("ch")->zoom(), 92);
    EXPECT_EQ(Chart("ch")->rotation(), 346);
}

// What the user sees once the zoom-in has ended: each chart whole inside its widget and
// filling most of it, a readable value on every bar, and no label of its page covered.
TEST_F(ResultsTest, ChartsEndTheirAnimationWholeAndBesideTheLabels) {
    LoadPlayers({Skater("Centre")
                     .Ratings({70, 65, 60, 75, 80, 70, 72, 68, 66, 50, 74, 55, 40})
                     .Condition(93)});
    Search();
    ShowDetailsOf("Centre");
    auto* tim = Window().findChild<QTimer*>("tim");
    ASSERT_TRUE(QTest::qWaitFor([tim] { return !tim->isActive(); }, 5000));
    struct Page {
        const char* page;
        const char* chart;
        int bars;
    };
    for (const Page& p : {Page{"TabSheet2", "ch", 15}, Page{"TabSheet3", "Chart1", 13}}) {
        SCOPED_TRACE(p.chart);
        BarChart3D* chart = Chart(p.chart);
        const QImage image = chart->RenderToImage(chart->size());
        const QRect drawn = test::DrawnArea(image, chart->palette().window().color().rgb());
        EXPECT_TRUE(chart->rect().adjusted(1, 1, -1, -1).contains(drawn));
        EXPECT_GT(drawn.width(), chart->width() * 3 / 4);
        EXPECT_GT(drawn.height(), chart->height() * 3 / 4);
        EXPECT_EQ(test::CountAreas(image, Qt::white, 20), p.bars);

        QWidget* page = Control<QWidget>(p.page);
        const QRect area(chart->mapTo(page, QPoint(0, 0)), chart->size());
        EXPECT_TRUE(page->rect().contains(area));
        for (const QLabel* label : page->findChildren<QLabel*>()) {
            const QRect labelArea(label->mapTo(page, QPoint(0, 0)), label->size());
            EXPECT_FALSE(labelArea.intersects(area)) << label->objectName().toStdString();
        }
    }
}

}  // namespace
}  // namespace vantrel::apptest
