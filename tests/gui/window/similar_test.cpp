// Similar Players on the sample league: the Players menu and the list's action open it,
// the rows follow the measure and the boxes, a double-click shows a player's details and
// Compare puts the chosen beside him; no selection and a stale list give a message.

#include "apptest.h"

#include "gui/results/resultmodel.h"
#include "gui/sidewindows/comparewindow.h"
#include "gui/sidewindows/similarwindow.h"

#include <QMenuBar>
#include <QRegularExpression>
#include <QTableWidget>

namespace vantrel::apptest {
namespace {

enum Cell { kSimilarity, kName, kTeam, kPos };
constexpr int kListPos = 1;

class SimilarTest : public AppTest {
  protected:
    void LoadDemo() {
        LoadLeague(QStringLiteral(VANTREL_SOURCE_DIR "/samples/demo.tms"));
        Search();
    }
    // The first listed player of a position.
    int RowOf(const QString& position) {
        const int row = static_cast<int>(Column(kListPos).indexOf(position));
        Require(row >= 0, "a listed " + position.toStdString());
        return row;
    }
    SimilarWindow& Similar() {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<SimilarWindow*>(top))
                return *window;
        throw std::runtime_error("no similar window");
    }
    QTableView* Table() { return ChildOf<QTableView>(Similar(), "similarTable"); }
    QCheckBox* Box(const char* name) { return ChildOf<QCheckBox>(Similar(), name); }
    QStringList Cells(int column) {
        QStringList texts;
        for (int row = 0; row < Table()->model()->rowCount(); ++row)
            texts << Table()->model()->index(row, column).data().toString();
        return texts;
    }
    QList<int> Records() {
        QList<int> records;
        for (int row = 0; row < Table()->model()->rowCount(); ++row)
            records << Table()->model()->index(row, 0).data(Qt::UserRole).toInt();
        return records;
    }
    // "Find Similar" for one row: from the list's own action, or from the Players menu.
    std::vector<BoxSeen> FindSimilar(int row, bool fromMenu) {
        if (row >= 0)
            SelectRows({row});
        else
            Found()->selectionModel()->clearSelection();
        return BoxesOf([&] {
            if (fromMenu)
                Action("PlayersFindSimilar1")->trigger();
            else
                ChildOf<QAction>(*Found(), "FindSimilar1")->trigger();
        });
    }
    // Checks the rows shown for the player of a list row: not him, at most 50, most
    // similar first, "97.3 %".
    void ExpectRowsFor(int row) {
        const QStringList similarity = Cells(kSimilarity);
        ASSERT_FALSE(similarity.isEmpty());
        EXPECT_LE(similarity.size(), 50);
        EXPECT_FALSE(
            Records().contains(Found()->model()->index(row, 0).data(kRecordIndexRole).toInt()));
        const QRegularExpression percent(R"(^\d{1,3}\.\d %$)");
        for (qsizetype i = 0; i < similarity.size(); ++i) {
            EXPECT_TRUE(percent.match(similarity[i]).hasMatch()) << similarity[i].toStdString();
            if (i > 0) {
                EXPECT_GE(similarity[i - 1].chopped(2).toDouble(),
                          similarity[i].chopped(2).toDouble());
            }
        }
    }
};

TEST_F(SimilarTest, ThePlayersMenuFollowsViewAndActsOnTheSelection) {
    LoadDemo();
    const QList<QAction*> menus = Window().menuBar()->actions();
    const qsizetype players = menus.indexOf(Control<QMenu>("Players1")->menuAction());
    EXPECT_EQ(menus.value(players - 1), Control<QMenu>("View1")->menuAction());
    EXPECT_EQ(Control<QMenu>("Players1")->title(), "&Players");
    QStringList items;
    for (const QAction* item : Control<QMenu>("Players1")->actions())
        items << item->text() + " " + item->shortcut().toString();
    EXPECT_EQ(items.mid(0, 3),
              QStringList({"Details ", "Compare Ctrl+Shift+M", "Find Similar Ctrl+Shift+L"}));
    // Ctrl+Shift+L belongs to Find Similar alone: the menu's item and the list's action.
    QStringList owners;
    for (const QAction* action : Window().findChildren<QAction*>())
        if (action->shortcut() == QKeySequence("Ctrl+Shift+L"))
            owners << action->objectName();
    owners.sort();
    EXPECT_EQ(owners, QStringList({"FindSimilar1", "PlayersFindSimilar1"}));

    SelectRows({7, 4});
    Action("PlayersDetails1")->trigger();
    EXPECT_EQ(PageLabel("TabSheet2", "Label5").trimmed(), Column(0)[4].trimmed());

    const std::vector<BoxSeen> boxes = FindSimilar(-1, true);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Select a player in the list to find players like him.");
    EXPECT_FALSE(Similar().isVisible());
    SelectRows({4});
    Found()->setFocus();
    QTest::keyClick(Found(), Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(Similar().isVisible());
}

TEST_F(SimilarTest, ASkatersRowsFollowTheMeasureAndThePositionBox) {
    LoadDemo();
    const int row = RowOf("C");
    EXPECT_TRUE(FindSimilar(row, false).empty());
    ASSERT_TRUE(Similar().isVisible());
    EXPECT_EQ(Similar().windowTitle(), "Similar Players");
    const QString heading = ChildOf<QLabel>(Similar(), "similarHeading")->text();
    EXPECT_TRUE(heading.contains(Column(0)[row] + QString::fromUtf8(" \u2014 C, ")));
    EXPECT_TRUE(heading.endsWith("OV " + Column(16)[row])) << heading.toStdString();
    ExpectRowsFor(row);
    EXPECT_EQ(Cells(kPos).size(), Cells(kPos).count("C"));

    const QList<int> styleAndLevel = Records();
    ChildOf<QComboBox>(Similar(), "similarMeasure")->setCurrentText("Style");
    ExpectRowsFor(row);
    EXPECT_NE(Records(), styleAndLevel);

    ASSERT_TRUE(Box("similarSamePosition")->isEnabled());
    QTest::mouseClick(Box("similarSamePosition"), Qt::LeftButton);
    ExpectRowsFor(row);
    const QStringList positions = Cells(kPos);
    EXPECT_LT(positions.count("C"), positions.size()) << "other skaters come in";
    EXPECT_EQ(positions.count("G"), 0);
}

TEST_F(SimilarTest, AGoalieListsGoaliesOnlyAndListedOnlyKeepsToTheSearch) {
    LoadDemo();
    const int goalie = RowOf("G");
    EXPECT_TRUE(FindSimilar(goalie, true).empty());
    ExpectRowsFor(goalie);
    EXPECT_EQ(Cells(kPos).count("G"), Cells(kPos).size());
    EXPECT_FALSE(Box("similarSamePosition")->isEnabled());

    // One team listed: with the box only its players, without it the whole league.
    const QString team = Control<QComboBox>("cbt")->itemText(3);
    Control<QComboBox>("cbt")->setCurrentIndex(3);
    Search();
    const int skater = RowOf("D");
    EXPECT_TRUE(FindSimilar(skater, false).empty());
    EXPECT_FALSE(Box("similarListedOnly")->isChecked());
    EXPECT_LT(Cells(kTeam).count(team), Cells(kTeam).size());
    QTest::mouseClick(Box("similarListedOnly"), Qt::LeftButton);
    ExpectRowsFor(skater);
    EXPECT_EQ(Cells(kTeam).count(team), Cells(kTeam).size());
    EXPECT_EQ(Cells(kPos).count("D"), Cells(kPos).size());
}

TEST_F(SimilarTest, DoubleClickShowsDetailsAndCompareTakesHimAndTheChosen) {
    LoadDemo();
    const int row = RowOf("LW");
    EXPECT_TRUE(FindSimilar(row, true).empty());
    const QStringList names = Cells(kName);
    ASSERT_GE(names.size(), 4);
    const QPoint at = Table()->visualRect(Table()->model()->index(2, kName)).center();
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(Table()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(Control<QTabWidget>("pc")->currentWidget()->objectName(), "TabSheet2");
    EXPECT_EQ(PageLabel("TabSheet2", "Label5").trimmed(), names[2].trimmed());
    EXPECT_TRUE(Similar().isVisible());

    auto* compare = ChildOf<QPushButton>(Similar(), "similarCompare");
    Table()->selectRow(0);
    Table()->selectionModel()->select(Table()->model()->index(3, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ASSERT_TRUE(compare->isEnabled());
    QTest::mouseClick(compare, Qt::LeftButton);
    ASSERT_TRUE(program_->compare->isVisible());
    auto* table = ChildOf<QTableWidget>(*program_->compare, "compareTable");
    QStringList compared;
    for (int c = 0; c < table->columnCount(); ++c)
        compared << table->horizontalHeaderItem(c)->text();
    EXPECT_EQ(compared, QStringList({Column(0)[row], names[0], names[3]}));
    Table()->selectAll();
    EXPECT_FALSE(compare->isEnabled()) << "the compare window holds four";

    // Another league loaded: the rows stay, details and compare are off, the list's old
    // rows are refused with a word.
    LoadLeague(QStringLiteral(VANTREL_SOURCE_DIR "/samples/demo.tms"));
    EXPECT_EQ(Cells(kName), names);
    EXPECT_TRUE(ChildOf<QLabel>(Similar(), "similarNote")->text().contains("no longer loaded"));
    Table()->selectRow(0);
    EXPECT_FALSE(compare->isEnabled());
    const std::vector<BoxSeen> boxes = FindSimilar(row, false);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains("no longer open")) << boxes[0].text.toStdString();
}

}  // namespace
}  // namespace vantrel::apptest
