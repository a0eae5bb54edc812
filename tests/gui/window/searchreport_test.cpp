// The search report window driven from the menu: its counts against a count made in the
// test from the record bytes, Relax through the panel, near misses opening the details
// page, and a report of a league no longer loaded.

#include "apptest.h"

#include "core/league/records.h"
#include "core/search/playerfilter.h"
#include "gui/results/resultmodel.h"
#include "gui/sidewindows/searchreportwindow.h"

#include <QMenu>
#include <QTableWidget>

#include <array>
#include <functional>
#include <utility>

namespace vantrel::apptest {
namespace {

constexpr int kSkCriterion = int{kFirstRatingCriterion} + kSK;

// A criterion and whether a record fails it, written from the field it reads.
using Rule = std::pair<int, std::function<bool(const std::uint8_t*)>>;

Rule Centre() {
    return {kPositionCriterion, [](const std::uint8_t* r) { return r[player::kPosition] != 0; }};
}
Rule AgeAtMost(int age) {
    return {kAgeMaxCriterion, [age](const std::uint8_t* r) {
                return static_cast<std::int8_t>(r[player::kAge]) > age;
            }};
}
Rule SkAtMost(int value) {
    return {kSkCriterion,
            [value](const std::uint8_t* r) { return r[player::kRatings + kSK] > value; }};
}

struct Tally {
    std::int64_t named = 0, matches = 0, nearMisses = 0;
    std::vector<std::array<std::int64_t, 2>> counts;  // per rule: failing it, failing only it
};

// Counts the named players rule by rule.
Tally CountBy(const std::vector<std::uint8_t>& roster, const std::vector<Rule>& rules) {
    Tally t;
    t.counts.assign(rules.size(), {0, 0});
    for (std::size_t at = 0; at + kPlayerRecordSize <= roster.size(); at += kPlayerRecordSize) {
        const std::uint8_t* r = roster.data() + at;
        if (!IsNamedPlayer(r))
            continue;
        ++t.named;
        std::vector<std::size_t> failed;
        for (std::size_t i = 0; i < rules.size(); ++i) {
            if (rules[i].second(r)) {
                failed.push_back(i);
                ++t.counts[i][0];
            }
        }
        t.matches += failed.empty() ? 1 : 0;
        if (failed.size() == 1) {
            ++t.counts[failed[0]][1];
            ++t.nearMisses;
        }
    }
    return t;
}

class SearchReportTest : public AppTest {
  protected:
    void LoadGenerated(std::uint64_t seed) {
        leaguegen::Options options;
        options.seed = seed;
        options.teams = 6;
        options.slotsPerTeam = 20;
        options.oddShare = 0.2;
        const leaguegen::League league = leaguegen::Generate(options);
        roster_ = league.roster;
        LoadLeague(WriteLeague("gen" + QString::number(seed), league) + ".ros");
    }
    // SK at most sk (the grey checkbox), age at most age, position Center or <All>.
    void SetCriteria(int sk, int age, bool centre) {
        Cbx(7)->setCheckState(Qt::PartiallyChecked);
        Tbx(7)->setValue(sk);
        Control<QSlider>("tbmax")->setValue(age);
        QTest::mouseClick(Control<QRadioButton>(centre ? "rgposItem1" : "rgposItem0"),
                          Qt::LeftButton);
    }

    SearchReportWindow& Report() { return *program_->report; }
    QString Summary() { return ChildOf<QLabel>(Report(), "summary")->text(); }
    QTableWidget* Table() { return ChildOf<QTableWidget>(Report(), "criteriaTable"); }
    QTableView* Misses() { return ChildOf<QTableView>(Report(), "missesView"); }
    void OpenReport() { Action("SearchReport1")->trigger(); }
    void Relax(int criterion) {
        QTest::mouseClick(ChildOf<QPushButton>(Report(), "relax" + QString::number(criterion)),
                          Qt::LeftButton);
    }

    // Each row of the criteria table as "words failing only relax-button".
    QStringList TableRows() {
        QStringList rows;
        for (int r = 0; r < Table()->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < 3; ++c)
                cells << (Table()->item(r, c) ? Table()->item(r, c)->text() : QString("-"));
            QWidget* relax = Table()->cellWidget(r, 3);
            rows << cells.join(' ') + ' ' + (relax ? relax->objectName() : QString("-"));
        }
        return rows;
    }
    // What the report must show for these rules and words, counted from the roster.
    void ExpectReport(const std::vector<Rule>& rules, const QStringList& words) {
        const Tally t = CountBy(roster_, rules);
        EXPECT_EQ(Lanz(), QString::number(t.matches));
        EXPECT_EQ(Summary(), QString("%1 players found of %2 named players; %3 fail at least "
                                     "one criterion.")
                                 .arg(t.matches)
                                 .arg(t.named)
                                 .arg(t.named - t.matches));
        QStringList expected;
        for (std::size_t i = 0; i < rules.size(); ++i)
            expected << QString("%1 %2 %3 relax%4")
                            .arg(words[static_cast<int>(i)])
                            .arg(t.counts[i][0])
                            .arg(t.counts[i][1])
                            .arg(rules[i].first);
        if (rules.empty())
            expected << "Nothing is filtered: every named player is listed. - - -";
        EXPECT_EQ(TableRows(), expected);
        EXPECT_EQ(Misses()->model()->rowCount(), t.nearMisses);
        EXPECT_TRUE(ChildOf<QLabel>(Report(), "missesLabel")
                        ->text()
                        .endsWith(": " + QString::number(t.nearMisses)));
    }
    // The texts of both details pages and which one is shown.
    QStringList DetailsPages() {
        QStringList texts{Control<QTabWidget>("pc")->currentWidget()->objectName()};
        for (const char* page : {"TabSheet2", "TabSheet3"})
            for (QLabel* label : Control<QWidget>(page)->findChildren<QLabel*>())
                texts << label->objectName() + '=' + label->text();
        return texts;
    }
    void DoubleClickMiss(int row) {
        const QModelIndex index = Misses()->model()->index(row, 0);
        Misses()->scrollTo(index);
        // A user's double-click: the first click, then the second press as a double-click.
        const QPoint at = Misses()->visualRect(index).center();
        QTest::mouseClick(Misses()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(Misses()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    std::vector<std::uint8_t> roster_;
};

TEST_F(SearchReportTest, MenuItemSaysWhenThereIsNothingToReport) {
    QAction* item = Action("SearchReport1");
    EXPECT_EQ(item->text(), "Search Report...");
    EXPECT_TRUE(Control<QMenu>("Statistics1")->actions().contains(item));
    EXPECT_FALSE(Report().isVisible());
    OpenReport();
    ASSERT_TRUE(Report().isVisible());
    EXPECT_EQ(Report().windowModality(), Qt::NonModal);
    EXPECT_TRUE(Summary().startsWith("No league loaded")) << Summary().toStdString();
    EXPECT_FALSE(Table()->isVisible());
    EXPECT_FALSE(Misses()->isVisible());

    EXPECT_TRUE(Report().close());
    EXPECT_FALSE(Report().isVisible());
    EXPECT_TRUE(Window().isVisible());
}

// Left open, the window must not go on saying that no league is loaded once one is, nor
// that there is no search yet once the league is released again.
TEST_F(SearchReportTest, OpenWindowFollowsALoadBeforeTheFirstSearch) {
    OpenReport();
    ASSERT_TRUE(Summary().startsWith("No league loaded")) << Summary().toStdString();
    LoadGenerated(3);
    EXPECT_TRUE(Summary().startsWith("No search yet")) << Summary().toStdString();
    OpenReport();
    ASSERT_TRUE(Summary().startsWith("No search yet")) << Summary().toStdString();
    EXPECT_FALSE(Table()->isVisible());
    ASSERT_EQ(OpenFile(Path("missing.ros")).size(), 1u);
    EXPECT_TRUE(Summary().startsWith("No league loaded")) << Summary().toStdString();
}

TEST_F(SearchReportTest, CountsMatchTheListAndFollowEverySearchWhileOpen) {
    LoadGenerated(5);
    SetCriteria(60, 30, true);
    Search();
    OpenReport();
    ExpectReport({Centre(), AgeAtMost(30), SkAtMost(60)},
                 {"Position Center", "Age at most 30", "SK at most 60"});
    EXPECT_TRUE(Table()->isVisible());

    // The window stays open and shows each following search.
    SetCriteria(45, 26, false);
    Search();
    ExpectReport({AgeAtMost(26), SkAtMost(45)}, {"Age at most 26", "SK at most 45"});
    Control<QPushButton>("Button3")->click();  // Reset
    Search();
    ExpectReport({}, {});
}

TEST_F(SearchReportTest, RelaxSetsOneCriterionNeutralThroughThePanelAndSearchesAgain) {
    LoadGenerated(11);
    SetCriteria(55, 28, true);
    Search();
    OpenReport();
    ExpectReport({Centre(), AgeAtMost(28), SkAtMost(55)},
                 {"Position Center", "Age at most 28", "SK at most 55"});

    Relax(kSkCriterion);
    EXPECT_EQ(Tbx(7)->value(), 0);
    EXPECT_EQ(Cbx(7)->checkState(), Qt::Unchecked);
    ExpectReport({Centre(), AgeAtMost(28)}, {"Position Center", "Age at most 28"});

    Relax(kAgeMaxCriterion);
    EXPECT_EQ(Control<QSlider>("tbmax")->value(), Control<QSlider>("tbmax")->maximum());
    EXPECT_EQ(Control<QLabel>("agemax")->text(), ">=40");
    ExpectReport({Centre()}, {"Position Center"});

    Relax(kPositionCriterion);
    EXPECT_TRUE(Control<QRadioButton>("rgposItem0")->isChecked());
    ExpectReport({}, {});
}

TEST_F(SearchReportTest, NearMissOpensTheDetailsPageAListedRowWouldOpen) {
    LoadGenerated(5);
    SetCriteria(100, 26, false);  // only the age can fail
    Search();
    OpenReport();
    QAbstractItemModel* misses = Misses()->model();
    int goalie = -1, skater = -1;
    for (int row = 0; row < misses->rowCount(); ++row)
        (misses->index(row, 2).data().toString() == "G" ? goalie : skater) = row;
    Require(goalie >= 0 && skater >= 0, "a goalie and a skater among the near misses");

    std::vector<std::pair<std::int32_t, QStringList>> pages;
    for (const int row : {goalie, skater}) {
        const QString name = misses->index(row, 0).data().toString();
        DoubleClickMiss(row);
        pages.emplace_back(Report().RecordAtRow(row), DetailsPages());
        EXPECT_EQ(pages.back().second[0], row == goalie ? "TabSheet3" : "TabSheet2");
        // Both pages carry the name, whichever is shown.
        EXPECT_TRUE(pages.back().second.contains("Label5=" + name) &&
                    pages.back().second.contains("Label79=" + name))
            << name.toStdString();
    }
    // Listed after Reset and shown from the list, the same players give the very same pages.
    Control<QPushButton>("Button3")->click();
    Search();
    QAbstractItemModel* found = Control<QTableView>("found")->model();
    for (const auto& [record, shown] : pages) {
        for (int r = 0; r < found->rowCount(); ++r)
            if (found->index(r, 0).data(kRecordIndexRole).toInt() == record)
                Control<QTableView>("found")->selectRow(r);
        QTest::mouseClick(Control<QPushButton>("Button1"), Qt::LeftButton);
        EXPECT_EQ(DetailsPages(), shown);
    }
}

TEST_F(SearchReportTest, ReportOfALeagueNoLongerLoadedOpensNoDetails) {
    const QString noInformation =
        QString::fromUtf8("keine Informationen verfügbar (Programmfehler)");
    LoadGenerated(5);
    SetCriteria(100, 26, false);
    Search();
    OpenReport();
    // SK at most 100 removes nobody and stays listed at 0 / 0.
    ExpectReport({AgeAtMost(26), SkAtMost(100)}, {"Age at most 26", "SK at most 100"});
    Require(Misses()->model()->rowCount() > 0 && Lanz().toInt() > 0, "near misses and rows");
    const QString label5 = ChildOf<QLabel>(*Control<QWidget>("TabSheet2"), "Label5")->text();

    // Images released by a failed load: the near miss has nobody to show.
    ASSERT_EQ(OpenFile(Path("missing.ros")).size(), 1u);
    {
        ModalAnswerer answerer;
        DoubleClickMiss(0);
        ASSERT_EQ(answerer.Boxes().size(), 1u);
        EXPECT_EQ(answerer.Boxes()[0].text, noInformation);
    }
    // Another league: the report says whose it is, and its rows fail as stale list rows do.
    LoadGenerated(6);
    EXPECT_TRUE(Summary().startsWith("Of a league no longer loaded")) << Summary().toStdString();
    ModalAnswerer answerer;
    DoubleClickMiss(0);
    Control<QTableView>("found")->selectRow(0);
    QTest::mouseClick(Control<QPushButton>("Button1"), Qt::LeftButton);
    ASSERT_EQ(answerer.Boxes().size(), 2u);
    EXPECT_EQ(answerer.Boxes()[0].text, noInformation);
    EXPECT_EQ(answerer.Boxes()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(answerer.Boxes()[1].text, answerer.Boxes()[0].text);
    EXPECT_EQ(ChildOf<QLabel>(*Control<QWidget>("TabSheet2"), "Label5")->text(), label5);

    // Closed and opened again it still says so; a search renews it and the program goes on.
    Report().close();
    OpenReport();
    EXPECT_TRUE(Summary().startsWith("Of a league no longer loaded")) << Summary().toStdString();
    Search();
    EXPECT_TRUE(Summary().startsWith(Lanz() + " players found")) << Summary().toStdString();
    const QString name = Misses()->model()->index(0, 0).data().toString();
    DoubleClickMiss(0);
    EXPECT_EQ(ChildOf<QLabel>(*Control<QWidget>("TabSheet2"), "Label5")->text(), name);
}

// 10 003 players fail only "SK at least 70": four near ones written out of order, then
// 9 999 far ones. The table shows the 10 000 nearest, nearest first, and says it is cut.
TEST_F(SearchReportTest, NearMissesNearestFirstAndTheCutIsTold) {
    std::vector<std::uint8_t> roster;
    for (const auto& [name, sk] :
         {std::pair{"Near Ten", 60}, {"Near One", 69}, {"Near Twenty", 50}, {"Near Five", 65}})
        leaguegen::PlayerBuilder().Name(name).Rating(kSK, std::uint8_t(sk)).AppendTo(roster);
    for (int i = 0; i < 9999; ++i)
        leaguegen::PlayerBuilder().Name("Far Player").Rating(kSK, 10).AppendTo(roster);
    LoadLeague(WriteFiles("misses", TeamImage({"Alpha"}), roster) + ".ros");
    Tbx(7)->setValue(70);
    Search();
    OpenReport();
    ASSERT_EQ(TableRows(),
              QStringList({"SK at least 70 10003 10003 relax" + QString::number(kSkCriterion)}));
    EXPECT_EQ(ChildOf<QLabel>(Report(), "missesLabel")->text(),
              "Near misses, failing exactly one criterion: 10003 (the first 10000 shown)");
    QAbstractItemModel* misses = Misses()->model();
    ASSERT_EQ(misses->rowCount(), 10000);
    QStringList nearest;
    for (int row = 0; row < 5; ++row)
        nearest << misses->index(row, 0).data().toString() + ' ' +
                       misses->index(row, 4).data().toString();
    EXPECT_EQ(
        nearest,
        QStringList({"Near One SK 69, needs at least 70", "Near Five SK 65, needs at least 70",
                     "Near Ten SK 60, needs at least 70", "Near Twenty SK 50, needs at least 70",
                     "Far Player SK 10, needs at least 70"}));
}

}  // namespace
}  // namespace vantrel::apptest
