// The search run through the window: which players are listed and in which order, the
// texts and record index of each row, the count label, and the ways a search starts.

#include "apptest.h"

#include "core/league/programerror.h"
#include "gui/results/resultmodel.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>

namespace vantrel::apptest {
namespace {

using leaguegen::PlayerBuilder;

// Three teams of four slots; the hand-built records sit in the slots noted below.
std::vector<std::uint8_t> HandRoster() {
    std::vector<std::uint8_t> roster;
    // Team 0 "Alpha", records 0..3.
    PlayerBuilder()
        .Name("Carl Centre")
        .Position(0)
        .Age(25)
        .Ratings({70, 65, 60, 75, 80, 70, 72, 68, 66, 50, 74, 55, 40})
        .Salary(500000)
        .Contract(3)
        .AppendTo(roster);
    PlayerBuilder().AppendTo(roster);  // empty slot
    PlayerBuilder()
        .Name("Pat Seven")
        .Position(7)
        .Age(200)
        .Ratings({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 255})
        .Salary(-1234)
        .Contract(250)
        .AppendTo(roster);
    PlayerBuilder().Name("X").Position(0).AppendTo(roster);  // one letter: empty slot
    // Team 1 (first byte 0, not listed), records 4..7.
    PlayerBuilder().Name("  Dee Fence\t").Position(3).Age(31).AppendTo(roster);
    PlayerBuilder().AppendTo(roster);
    PlayerBuilder().AppendTo(roster);
    PlayerBuilder().AppendTo(roster);
    // Team 2 "Gamma", records 8..11.
    PlayerBuilder().Name("Gil Goalie").Position(4).Age(29).AppendTo(roster);
    PlayerBuilder().Name("Carla Wing").Position(1).Age(19).AppendTo(roster);
    PlayerBuilder().AppendTo(roster);
    PlayerBuilder().Name("Ray Right").Position(2).Age(40).AppendTo(roster);
    return roster;
}

std::vector<std::uint8_t> HandTeams() {
    using std::string_literals::operator""s;
    return TeamImage({"Alpha", "\0Beta"s, "Gamma"});
}

class SearchRunTest : public AppTest {
  protected:
    void LoadHandLeague() { LoadLeague(WriteFiles("hand", HandTeams(), HandRoster()) + ".ros"); }
    QAbstractItemModel* Model() { return Control<QTableView>("found")->model(); }
    QStringList Row(int row) {
        QStringList texts;
        for (int column = 0; column < Model()->columnCount(); ++column)
            texts << Model()->index(row, column).data(Qt::DisplayRole).toString();
        return texts;
    }
    QList<int> RecordIndices() {
        QList<int> indices;
        for (int row = 0; row < Model()->rowCount(); ++row)
            indices << Model()->index(row, 0).data(Qt::UserRole).toInt();
        return indices;
    }
};

TEST_F(SearchRunTest, ResetCriteriaListEveryNamedPlayerInRosterOrder) {
    LoadHandLeague();
    Search();
    EXPECT_EQ(Column(0), QStringList({"Carl Centre", "Pat Seven", "Dee Fence", "Gil Goalie",
                                      "Carla Wing", "Ray Right"}));
    EXPECT_EQ(RecordIndices(), QList<int>({0, 2, 4, 8, 9, 11}));
    EXPECT_EQ(Lanz(), "6");
    EXPECT_EQ(Model()->columnCount(), 19);
}

TEST_F(SearchRunTest, RowTextsOfHandBuiltRecords) {
    LoadHandLeague();
    Search();
    ASSERT_GE(Model()->rowCount(), 2);
    EXPECT_EQ(Row(0), QStringList({"Carl Centre", "C", "25", "70", "65", "60", "75", "80", "70",
                                   "72", "68", "66", "50", "74", "55", "40", "71", "500000", "3"}));
    EXPECT_EQ(Row(1), QStringList({"Pat Seven", "", "-56", "1", "2", "3", "4", "5", "6", "7", "8",
                                   "9", "10", "11", "12", "255", "0", "-1234", "250"}));
    QStringList headers;
    for (int column = 0; column < Model()->columnCount(); ++column)
        headers << Model()->headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(headers,
              QStringList({"Player Name", "Pos.", "Age", "IT", "SP", "ST", "EN", "DU", "DI", "SK",
                           "PA", "PC", "DF", "SC", "EX", "LD", "OV", "Salary", "Ct"}));
}

TEST_F(SearchRunTest, SearchMatchingNothingEmptiesTheList) {
    LoadHandLeague();
    Search();
    ASSERT_EQ(Lanz(), "6");
    auto* edname = Control<QLineEdit>("edname");
    edname->selectAll();
    QTest::keyClicks(edname, "Nobody*");
    Search();
    EXPECT_EQ(Model()->rowCount(), 0);
    EXPECT_EQ(Lanz(), "0");
}

TEST_F(SearchRunTest, EnterInTheNameEditRunsTheSearch) {
    LoadHandLeague();
    auto* edname = Control<QLineEdit>("edname");
    edname->setFocus();
    edname->selectAll();
    QTest::keyClicks(edname, "carl*");
    QTest::keyClick(edname, Qt::Key_Return);
    EXPECT_EQ(Column(0), QStringList({"Carl Centre", "Carla Wing"}));
    EXPECT_EQ(Lanz(), "2");
}

TEST_F(SearchRunTest, TeamEntrySelectsItsOwnBlock) {
    LoadHandLeague();
    auto* cbt = Control<QComboBox>("cbt");
    ASSERT_EQ(TeamEntries(), QStringList({"<All>", "Alpha", "Gamma"}));
    cbt->setCurrentIndex(2);  // Gamma follows the unlisted team and is team 2
    Search();
    EXPECT_EQ(Column(0), QStringList({"Gil Goalie", "Carla Wing", "Ray Right"}));
    EXPECT_EQ(RecordIndices(), QList<int>({8, 9, 11}));
    cbt->setCurrentIndex(1);
    Search();
    EXPECT_EQ(Column(0), QStringList({"Carl Centre", "Pat Seven"}));
}

TEST_F(SearchRunTest, RadioGroupsAndAgeRangeNarrowTheList) {
    LoadHandLeague();
    QTest::mouseClick(Control<QRadioButton>("rgposItem5"), Qt::LeftButton);
    Search();
    EXPECT_EQ(Column(0), QStringList({"Gil Goalie"}));
    QTest::mouseClick(Control<QRadioButton>("rgposItem0"), Qt::LeftButton);
    Control<QSlider>("tbmin")->setValue(29);
    Search();
    // Age 200 is -56 as a signed byte and falls below 29.
    EXPECT_EQ(Column(0), QStringList({"Dee Fence", "Gil Goalie", "Ray Right"}));
}

TEST_F(SearchRunTest, SearchFromADetailsPageReturnsToTheResultPage) {
    LoadHandLeague();
    auto* pc = Control<QTabWidget>("pc");
    QTabBar* bar = pc->tabBar();
    const int details = pc->indexOf(Control<QWidget>("TabSheet2"));
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(details).center());
    ASSERT_EQ(pc->currentWidget(), Control<QWidget>("TabSheet2"));
    Search();
    EXPECT_EQ(pc->currentWidget(), Control<QWidget>("TabSheet1"));
    EXPECT_EQ(Lanz(), "6");
}

TEST_F(SearchRunTest, NewSearchDropsTheSortOrder) {
    LoadHandLeague();
    Search();
    QHeaderView* header = Control<QTableView>("found")->horizontalHeader();
    const int x = header->sectionViewportPosition(0) + header->sectionSize(0) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(x, header->height() / 2));
    ASSERT_NE(Window().SortKey, 0);
    ASSERT_NE(RecordIndices(), QList<int>({0, 2, 4, 8, 9, 11}));
    Search();
    EXPECT_EQ(Window().SortKey, 0);
    EXPECT_EQ(RecordIndices(), QList<int>({0, 2, 4, 8, 9, 11}));
}

TEST_F(SearchRunTest, RowsOfAnEarlierSearchSurviveTheNextLoad) {
    LoadHandLeague();
    Search();
    const QStringList first = Row(0);
    leaguegen::Options options;
    options.teams = 2;
    options.slotsPerTeam = 3;
    LoadLeague(WriteLeague("other", leaguegen::Generate(options)) + ".tms");
    EXPECT_EQ(Model()->rowCount(), 6);
    EXPECT_EQ(Row(0), first);
    EXPECT_EQ(Lanz(), "6");
}

TEST_F(SearchRunTest, ResultModelPassesTheModelTester) {
    LoadHandLeague();
    QStringList complaints;
    static QStringList* sink = nullptr;
    sink = &complaints;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type != QtDebugMsg && type != QtInfoMsg && sink)
                *sink << message;
        });
    {
        QAbstractItemModelTester tester(Model(),
                                        QAbstractItemModelTester::FailureReportingMode::Warning);
        Search();
        auto* edname = Control<QLineEdit>("edname");
        edname->selectAll();
        QTest::keyClicks(edname, "Ca*");
        Search();
        edname->selectAll();
        QTest::keyClicks(edname, "Nobody");
        Search();
        Control<QPushButton>("Button3")->click();
        Search();
    }
    qInstallMessageHandler(previous);
    sink = nullptr;
    for (const QString& complaint : complaints)
        EXPECT_FALSE(complaint.contains("FAIL")) << complaint.toStdString();
    EXPECT_EQ(Model()->rowCount(), 6);
}

TEST_F(SearchRunTest, SearchWithoutLeagueRaisesTheProgramError) {
    try {
        Window().Button2Click();
        ADD_FAILURE() << "no error raised";
    } catch (const vantrel::ProgramError& error) {
        EXPECT_STREQ(error.what(), "Somethings wrong...");
    }
    EXPECT_EQ(Control<QTabWidget>("pc")->currentWidget(), Control<QWidget>("TabSheet1"));
    EXPECT_EQ(Lanz(), "0");
}

TEST_F(SearchRunTest, SearchAfterAFailedLoadShowsTheErrorAndKeepsTheCount) {
    LoadHandLeague();
    Search();
    ASSERT_EQ(Lanz(), "6");
    auto* edit6 = Control<QLineEdit>("Edit6");
    edit6->setText("abc");
    ModalAnswerer answerer;
    answerer.AnswerFile(Path("missing.tms"));
    Action("Filesffnen1")->trigger();
    ASSERT_EQ(answerer.Boxes().size(), 1u);
    ASSERT_EQ(Window().League().PlayersPerTeam, 0);
    // The rows of the last search stay listed until the next search.
    EXPECT_EQ(Model()->rowCount(), 6);

    // The button is disabled now; switched on by hand it leads into the guarded error.
    auto* button = Control<QPushButton>("Button2");
    ASSERT_FALSE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(answerer.Boxes().size(), 1u);
    Control<QGroupBox>("sc")->setEnabled(true);
    button->setEnabled(true);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(answerer.Boxes().size(), 2u);
    const BoxSeen& box = answerer.Boxes()[1];
    EXPECT_EQ(box.objectName, "handlerError");
    EXPECT_EQ(box.text, "Somethings wrong...");
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(Model()->rowCount(), 0);
    EXPECT_EQ(Lanz(), "6");
    EXPECT_EQ(edit6->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_TRUE(answerer.Unexpected().isEmpty());
}

}  // namespace
}  // namespace vantrel::apptest
