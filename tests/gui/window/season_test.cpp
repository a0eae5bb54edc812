// Two seasons side by side, driven through the menus: an earlier league opened with the
// real dialog, the status line, the list's change column and its order, change queries
// and their line in the panel, the chart's earlier marks, closing, and a failed read.

#include "apptest.h"

#include "gui/chart/barchart3d.h"
#include "gui/sidewindows/searchreportwindow.h"

#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTableWidget>

namespace vantrel::apptest {
namespace {

using leaguegen::PlayerBuilder;

constexpr int kChangeColumn = 19;

struct Player {
    const char* name;
    int position;
    int age;
    int sk;
    int pa = 64;
};
// Ann gained SK and PA, Bo stayed, Kid is new, the two Sams cannot be told apart (same position,
// both of an age that fits) and Old is gone.
constexpr Player kNow[] = {{"Ann Kell", 0, 26, 80},
                           {"Bo Rand", 1, 30, 60},
                           {"Kid Nu", 3, 19, 50},
                           {"Sam Twin", 0, 24, 55},
                           {"Sam Twin", 0, 24, 57}};
constexpr Player kThen[] = {{"Sam Twin", 0, 23, 52},
                            {"Bo Rand", 1, 30, 60},
                            {"Old Timer", 4, 38, 40},
                            {"Ann Kell", 0, 25, 75, 40}};

class SeasonTest : public AppTest {
  protected:
    template <std::size_t N>
    QString Write(const QString& base, const Player (&players)[N]) {
        std::vector<std::uint8_t> roster;
        for (const Player& p : players)
            PlayerBuilder()
                .Name(p.name)
                .Position(static_cast<std::uint8_t>(p.position))
                .Age(static_cast<std::uint8_t>(p.age))
                .Rating(kSK, static_cast<std::uint8_t>(p.sk))
                .Rating(kPA, static_cast<std::uint8_t>(p.pa))
                .AppendTo(roster);
        roster.resize(roster.size() + (N % 2) * kPlayerRecordSize);  // two even teams
        return WriteFiles(base, TeamImage({"Alpha", "Bravo"}), roster);
    }
    std::vector<BoxSeen> OpenEarlier(const QString& path) {
        ModalAnswerer answerer;
        answerer.AnswerFile(path);
        Action("OpenEarlierSeason1")->trigger();
        EXPECT_TRUE(answerer.AllFileAnswersUsed()) << "the earlier season's dialog was not shown";
        return answerer.Boxes();
    }
    // The list's OV of each player by name, as the list shows it for a league.
    std::map<QString, int> OverallByName() {
        std::map<QString, int> overall;
        const QStringList names = Column(0), values = Column(16);
        for (qsizetype i = 0; i < names.size(); ++i)
            overall[names[i]] = values[i].toInt();
        return overall;
    }
    QString StatusLine() { return Control<QLabel>("earlierSeasonStatus")->text(); }
    QLabel* ChangeLine() { return Control<QLabel>("changeCriteriaLine"); }
    std::vector<BoxSeen> Query(const QString& text) {
        ModalAnswerer answerer;
        answerer.AnswerInput(text);
        answerer.CancelInput();
        Action("Query1")->trigger();
        return answerer.Boxes();
    }
    void OpenBoth() {
        LoadLeague(Write("then", kThen) + ".tms");
        Search();
        overallThen_ = OverallByName();
        LoadLeague(Write("now", kNow) + ".ros");
        ASSERT_TRUE(OpenEarlier(Path("then.tms")).empty());
        Search();
    }
    std::map<QString, int> overallThen_;
};

TEST_F(SeasonTest, AnEarlierSeasonAddsTheStatusLineAndTheChangeColumn) {
    EXPECT_EQ(Action("OpenEarlierSeason1")->shortcut(),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    QStringList fileMenu;
    for (QAction* action : Control<QMenu>("Datei1")->actions())
        fileMenu << action->objectName();
    EXPECT_EQ(fileMenu.mid(0, 3),
              QStringList({"Filesffnen1", "OpenEarlierSeason1", "CloseEarlierSeason1"}));
    EXPECT_FALSE(Window().statusBar()->isVisible());
    OpenBoth();
    EXPECT_TRUE(Window().statusBar()->isVisible());
    EXPECT_EQ(StatusLine(),
              QString::fromUtf8("Earlier season: then \u2014 2 of 5 players matched"));
    ASSERT_EQ(Found()->model()->columnCount(), 20);
    EXPECT_EQ(Found()->model()->headerData(kChangeColumn, Qt::Horizontal).toString(),
              QString::fromUtf8("\u0394OV"));
    EXPECT_EQ(Found()->model()->headerData(18, Qt::Horizontal).toString(), "Ct");

    const std::map<QString, int> now = OverallByName();
    const int annChange = now.at("Ann Kell") - overallThen_.at("Ann Kell");
    ASSERT_GT(annChange, 0) << "SK and PA went up";
    const QString annText = "+" + QString::number(annChange);
    EXPECT_EQ(Column(kChangeColumn), QStringList({annText, "0", "", "", ""}));

    // Unmatched players stay last in both directions.
    ClickHeader(kChangeColumn);
    EXPECT_EQ(Column(kChangeColumn), QStringList({"0", annText, "", "", ""}));
    EXPECT_EQ(Column(0).first(2), QStringList({"Bo Rand", "Ann Kell"}));
    ClickHeader(kChangeColumn);
    EXPECT_EQ(Column(kChangeColumn), QStringList({annText, "0", "", "", ""}));

    // The export has the column too, its captions and cells as the list shows them.
    ModalAnswerer answerer;
    answerer.AnswerFile(Path("list.csv"));
    Action("ExportList1")->trigger();
    QFile csv(Path("list.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split("\r\n");
    EXPECT_TRUE(lines[0].endsWith(QString::fromUtf8(",Ct,\u0394OV"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("Ann Kell,") && lines[1].endsWith("," + annText));
}

TEST_F(SeasonTest, ChangeQueriesFilterAndShowTheirLineUntilReset) {
    OpenBoth();
    EXPECT_FALSE(ChangeLine()->isVisible());
    EXPECT_TRUE(Query("dSK>=5").empty());
    EXPECT_EQ(Column(0), QStringList({"Ann Kell"}));
    EXPECT_TRUE(ChangeLine()->isVisible());
    EXPECT_EQ(ChangeLine()->text(), "Since the earlier season: SK +5 or more");
    // The search report counts the panel's criteria and says what the changes left.
    Action("SearchReport1")->trigger();
    EXPECT_TRUE(ChildOf<QLabel>(*program_->report, "summary")
                    ->text()
                    .endsWith("\nSince the earlier season: SK +5 or more: 1 of them are listed."));

    EXPECT_TRUE(Query("dSK>=-100 dSK<=0").empty());
    EXPECT_EQ(Column(0), QStringList({"Bo Rand"})) << "unmatched players pass no change bound";
    EXPECT_TRUE(Query("season=new").empty());
    EXPECT_EQ(Column(0), QStringList({"Kid Nu"}));
    EXPECT_EQ(Lanz(), "1");

    QTest::mouseClick(Control<QPushButton>("Button3"), Qt::LeftButton);
    EXPECT_FALSE(ChangeLine()->isVisible());
    Search();
    EXPECT_EQ(Lanz(), "5");
}

TEST_F(SeasonTest, ChangeKeysNeedAnEarlierSeasonAndClosingTakesEverythingAway) {
    LoadLeague(Write("now", kNow) + ".ros");
    Search();
    const std::vector<BoxSeen> refused = Query("pos=C dOV>=3");
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_TRUE(refused[0].text.contains("dOV only with an earlier season open"))
        << refused[0].text.toStdString();

    const int height = Window().height();
    ASSERT_TRUE(OpenEarlier(Write("then", kThen) + ".ros").empty());
    EXPECT_GT(Window().height(), height) << "the status line takes no room from the pages";
    EXPECT_TRUE(Query("season=matched").empty());
    EXPECT_EQ(Lanz(), "2");
    Action("CloseEarlierSeason1")->trigger();
    EXPECT_FALSE(Window().statusBar()->isVisible());
    EXPECT_EQ(Window().height(), height);
    EXPECT_EQ(Found()->model()->columnCount(), 19);
    EXPECT_FALSE(ChangeLine()->isVisible()) << "no change criteria without a season";
    Search();
    EXPECT_EQ(Lanz(), "5");
    EXPECT_FALSE(Action("CloseEarlierSeason1")->isEnabled());
}

TEST_F(SeasonTest, AFailedReadKeepsTheSeasonAndANewLeagueIsMatchedAgain) {
    OpenBoth();
    const std::vector<BoxSeen> boxes = OpenEarlier(Path("missing.ros"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kTeamError);
    EXPECT_EQ(StatusLine(),
              QString::fromUtf8("Earlier season: then \u2014 2 of 5 players matched"));

    // The earlier league opened as the current one: everybody matched, every change 0.
    LoadLeague(Path("then.ros"));
    EXPECT_EQ(StatusLine(),
              QString::fromUtf8("Earlier season: then \u2014 4 of 4 players matched"));
    Search();
    EXPECT_EQ(Column(kChangeColumn), QStringList({"0", "0", "0", "0"}));
}

TEST_F(SeasonTest, TheChartMarksTheEarlierValueAndSaysItInTheTooltip) {
    OpenBoth();
    ShowDetailsOfRow(0);  // Ann Kell
    auto* chart = Control<BarChart3D>("ch");
    const BarSeries3D* series = chart->findChild<BarSeries3D*>("Series1");
    ASSERT_NE(series, nullptr);
    int sk = -1;
    for (int bar = 0; bar < series->barCount(); ++bar)
        if (series->barLabel(bar) == "SK")
            sk = bar;
    ASSERT_GE(sk, 0);
    EXPECT_TRUE(series->barHasEarlier(sk));
    EXPECT_EQ(series->barEarlierValue(sk), 75);
    EXPECT_TRUE(series->barToolTip(sk).endsWith("\nlast season 75, +5"))
        << series->barToolTip(sk).toStdString();
    EXPECT_TRUE(chart->earlierVisible());
    Action("EarlierSeasonOnChart1")->trigger();
    EXPECT_FALSE(chart->earlierVisible());
}

TEST_F(SeasonTest, TheSeasonWindowOpensFromStatisticsAndShowsAPlayersDetails) {
    EXPECT_FALSE(Action("SeasonChanges1")->isEnabled());
    OpenBoth();
    Action("SeasonChanges1")->trigger();
    QWidget* window = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == "SeasonWindow")
            window = top;
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(ChildOf<QLabel>(*window, "seasonCounts")->text(),
              "Matched: 2   New: 1   Ambiguous: 2   Gone: 2");
    auto* risers = ChildOf<QTableWidget>(*window, "seasonRisers");
    ASSERT_EQ(risers->rowCount(), 1);
    const QPoint at = risers->visualItemRect(risers->item(0, 0)).center();
    QTest::mouseClick(risers->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(risers->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(PageLabel("TabSheet2", "Label5"), "Ann Kell");
}

}  // namespace
}  // namespace vantrel::apptest
