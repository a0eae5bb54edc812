// Loading a league through "File" -> "Open File" and the real open dialog: every way a
// load can end, the messages, the file statistics, the enabled states and the team list.

#include "apptest.h"

#include "gui/common/displaytext.h"
#include "core/league/records.h"

namespace vantrel::apptest {
namespace {

leaguegen::League Generated(int teams, int slotCount, std::uint64_t seed = 7) {
    leaguegen::Options options;
    options.seed = seed;
    options.teams = teams;
    options.slotsPerTeam = slotCount;
    return leaguegen::Generate(options);
}

// The names the team list must show for a league: "<All>" and the listed teams.
QStringList ListedTeams(const leaguegen::League& league) {
    QStringList names{"<All>"};
    for (std::size_t at = 0; at + 254 <= league.teams.size(); at += 254) {
        if (league.teams[at] == 0)
            continue;
        const std::string_view name = ExtractTextView(&league.teams[at], 10);
        if (name.size() >= 2)
            names << DecodeText(name);
    }
    return names;
}

class LeagueLoadTest : public AppTest {
  protected:
    // The message a failed load must show: one box, text as given, caption "Fehler",
    // the error icon, a single OK button, no owner window.
    static void ExpectOneLoadError(const std::vector<BoxSeen>& boxes, const QString& text) {
        ASSERT_EQ(boxes.size(), 1u);
        const BoxSeen& box = boxes[0];
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.title, "Fehler");
        EXPECT_EQ(box.icon, QMessageBox::Critical);
        EXPECT_EQ(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_EQ(box.objectName, "loadError");
        EXPECT_FALSE(box.hasOwner);
    }

    void ExpectNoLeague() {
        EXPECT_EQ(Window().League().PlayersPerTeam, 0);
        EXPECT_EQ(ControlsNotInState(false), QStringList());
        EXPECT_EQ(Control<QComboBox>("cbt")->count(), 0);
        EXPECT_EQ(Control<QLabel>("avgov")->text(), "0");
    }

    void ExpectLoaded() {
        EXPECT_GT(Window().League().PlayersPerTeam, 0);
        EXPECT_EQ(ControlsNotInState(true), QStringList());
    }

    // A generated league of 18 teams with 30 slots: 4572 and 46440 bytes.
    QString StandardLeague(const QString& base = "spiel") {
        standard_ = Generated(18, 30);
        return WriteLeague(base, standard_);
    }

    leaguegen::League standard_;
};

TEST_F(LeagueLoadTest, StandardLeagueLoadsWithFiguresTeamsAndAverage) {
    const QString base = StandardLeague();
    const std::vector<BoxSeen> boxes = OpenFile(base + ".tms");
    EXPECT_TRUE(boxes.empty());
    ExpectLoaded();
    EXPECT_EQ(FinfoTexts(), QStringList({"4572", "46440", "18", "30"}));
    EXPECT_EQ(Window().League().TeamStride, 2580);

    auto* cbt = Control<QComboBox>("cbt");
    EXPECT_EQ(TeamEntries(), ListedTeams(standard_));
    EXPECT_EQ(cbt->currentIndex(), 0);
    EXPECT_EQ(cbt->currentText(), "<All>");

    const QString average = Control<QLabel>("avgov")->text();
    EXPECT_NE(average, "0");
    bool isNumber = false;
    const double value = average.toDouble(&isNumber);
    EXPECT_TRUE(isNumber) << average.toStdString();
    EXPECT_GT(value, 10.0);
    EXPECT_LT(value, 100.0);
}

TEST_F(LeagueLoadTest, AverageOfAHandBuiltLeague) {
    // One centre whose OV is 71.39 and one whose OV is 0 (position 7): the mean of the
    // whole-number values 71 and 0 is 35.5.
    std::vector<std::uint8_t> roster;
    leaguegen::PlayerBuilder()
        .Name("Carl Centre")
        .Position(0)
        .Ratings({70, 65, 60, 75, 80, 70, 72, 68, 66, 50, 74, 55, 40})
        .AppendTo(roster);
    leaguegen::PlayerBuilder().Name("Odd Position").Position(7).AppendTo(roster);
    leaguegen::PlayerBuilder().AppendTo(roster);  // an empty slot does not count
    LoadLeague(WriteFiles("hand", TeamImage({"Alpha"}), roster) + ".ros");
    EXPECT_EQ(Control<QLabel>("avgov")->text(), "35.5");
}

TEST_F(LeagueLoadTest, InexactSizesLoadWithoutComplaint) {
    std::vector<std::uint8_t> teams = TeamImage({"Alpha"});
    teams.resize(300, 0);
    std::vector<std::uint8_t> roster;
    for (int i = 0; i < 11; ++i)
        leaguegen::PlayerBuilder().Name("Player " + std::to_string(i)).AppendTo(roster);
    roster.resize(1000, 0);
    const std::vector<BoxSeen> boxes = OpenFile(WriteFiles("odd", teams, roster) + ".ros");
    EXPECT_TRUE(boxes.empty());
    ExpectLoaded();
    EXPECT_EQ(FinfoTexts(), QStringList({"300", "1000", "1", "11"}));
    EXPECT_EQ(TeamEntries(), QStringList({"<All>", "Alpha"}));
}

TEST_F(LeagueLoadTest, CancelChangesNothing) {
    // Before any league.
    EXPECT_TRUE(OpenFile(std::nullopt).empty());
    EXPECT_EQ(Control<QLabel>("avgov")->text(), "");
    EXPECT_EQ(ControlsNotInState(false), QStringList());
    EXPECT_EQ(FinfoTexts(), QStringList({"??", "??", "??", "??"}));

    // After a league.
    LoadLeague(StandardLeague() + ".tms");
    const QString average = Control<QLabel>("avgov")->text();
    const QStringList teams = TeamEntries();
    Control<QComboBox>("cbt")->setCurrentIndex(3);
    EXPECT_TRUE(OpenFile(std::nullopt).empty());
    ExpectLoaded();
    EXPECT_EQ(Control<QLabel>("avgov")->text(), average);
    EXPECT_EQ(TeamEntries(), teams);
    EXPECT_EQ(Control<QComboBox>("cbt")->currentIndex(), 3);
    EXPECT_EQ(FinfoTexts(), QStringList({"4572", "46440", "18", "30"}));
}

TEST_F(LeagueLoadTest, PathWithoutDotKeepsThePreviousLeague) {
    Require(!dir_.path().contains('.'), "temporary folder without a dot");
    LoadLeague(StandardLeague() + ".ros");
    const QStringList teams = TeamEntries();
    Control<QComboBox>("cbt")->setCurrentIndex(2);

    const QString noDot = Path("spiel");  // spiel.tms and spiel.ros exist beside it
    ExpectOneLoadError(OpenFile(noDot), kReadError);
    ExpectLoaded();
    EXPECT_EQ(Control<QLabel>("avgov")->text(), "0");
    EXPECT_EQ(TeamEntries(), teams);
    EXPECT_EQ(Control<QComboBox>("cbt")->currentIndex(), 2);
    EXPECT_EQ(FinfoTexts(), QStringList({"4572", "46440", "18", "30"}));
}

TEST_F(LeagueLoadTest, PathWithoutDotBeforeAnyLeagueLeavesEverythingDisabled) {
    Require(!dir_.path().contains('.'), "temporary folder without a dot");
    ExpectOneLoadError(OpenFile(Path("nothing")), kReadError);
    ExpectNoLeague();
    EXPECT_EQ(FinfoTexts(), QStringList({"??", "??", "??", "??"}));
}

TEST_F(LeagueLoadTest, MissingOrEmptyTeamFile) {
    const std::vector<std::uint8_t> roster(86 * 4, 0);
    // Only the roster file exists.
    Require(WriteBytes(Path("lonely.ros"), roster), "roster written");
    ExpectOneLoadError(OpenFile(Path("lonely.ros")), kTeamError);
    ExpectNoLeague();
    EXPECT_EQ(FinfoTexts(), QStringList({"??", "??", "??", "??"}));

    // A 0-byte team file.
    const QString empty = WriteFiles("empty", {}, roster);
    ExpectOneLoadError(OpenFile(empty + ".ros"), kTeamError);
    ExpectNoLeague();

    // A typed name of a file that does not exist at all.
    ExpectOneLoadError(OpenFile(Path("nowhere.tms")), kTeamError);
    ExpectNoLeague();
}

TEST_F(LeagueLoadTest, MissingOrEmptyRosterFile) {
    Require(WriteBytes(Path("teamonly.tms"), TeamImage({"Alpha", "Beta"})), "team written");
    ExpectOneLoadError(OpenFile(Path("teamonly.tms")), kRosterError);
    ExpectNoLeague();
    EXPECT_EQ(FinfoTexts(), QStringList({"508", "??", "??", "??"}));

    const QString empty = WriteFiles("emptyros", TeamImage({"Alpha"}), {});
    ExpectOneLoadError(OpenFile(empty + ".tms"), kRosterError);
    ExpectNoLeague();
    EXPECT_EQ(FinfoTexts(), QStringList({"254", "??", "??", "??"}));
}

TEST_F(LeagueLoadTest, FolderInPlaceOfAFileIsAFailedRead) {
    // spiel.tms is a folder: the team read fails.
    Require(QDir(dir_.path()).mkdir("folder.tms"), "folder made");
    Require(WriteBytes(Path("folder.ros"), std::vector<std::uint8_t>(86, 0)), "roster");
    ExpectOneLoadError(OpenFile(Path("folder.ros")), kTeamError);
    ExpectNoLeague();

    // The roster path is a folder.
    Require(WriteBytes(Path("other.tms"), TeamImage({"Alpha"})), "team written");
    Require(QDir(dir_.path()).mkdir("other.ros"), "folder made");
    ExpectOneLoadError(OpenFile(Path("other.tms")), kRosterError);
    ExpectNoLeague();
}

TEST_F(LeagueLoadTest, GeometryFailures) {
    // A team file one byte short of a record.
    std::vector<std::uint8_t> shortTeams = TeamImage({"Alpha"});
    shortTeams.resize(253);
    const QString tooShort = WriteFiles("short", shortTeams, std::vector<std::uint8_t>(860, 0));
    ExpectOneLoadError(OpenFile(tooShort + ".tms"), kGeometryError);
    ExpectNoLeague();
    EXPECT_EQ(FinfoTexts(), QStringList({"253", "860", "??", "??"}));

    // A roster file one byte short of a player per team.
    const QString thin = WriteFiles("thin", TeamImage({"Alpha"}), std::vector<std::uint8_t>(85, 0));
    ExpectOneLoadError(OpenFile(thin + ".ros"), kGeometryError);
    ExpectNoLeague();
    EXPECT_EQ(FinfoTexts(), QStringList({"254", "85", "1", "??"}));
}

TEST_F(LeagueLoadTest, TeamOrRosterFileChosenLoadsTheSameLeague) {
    const QString base = StandardLeague();
    LoadLeague(base + ".tms");
    const QStringList teams = TeamEntries();
    const QString average = Control<QLabel>("avgov")->text();

    LoadLeague(base + ".ros");
    EXPECT_EQ(TeamEntries(), teams);
    EXPECT_EQ(Control<QLabel>("avgov")->text(), average);
    EXPECT_EQ(FinfoTexts(), QStringList({"4572", "46440", "18", "30"}));
}

TEST_F(LeagueLoadTest, BaseNameEndsAtTheLastDot) {
    // spiel.alt.ros reads spiel.alt.tms, not spiel.tms.
    WriteLeague("spiel", Generated(18, 30, 1));
    const leaguegen::League alt = Generated(4, 5, 2);
    LoadLeague(WriteLeague("spiel.alt", alt) + ".ros");
    EXPECT_EQ(FinfoTexts(), QStringList({"1016", "1720", "4", "5"}));
    EXPECT_EQ(TeamEntries(), ListedTeams(alt));
}

TEST_F(LeagueLoadTest, DotOnlyInAFolderNameCutsThePathThere) {
    Require(!dir_.path().contains('.'), "temporary folder without a dot");
    const leaguegen::League league = Generated(3, 6, 3);
    WriteLeague("liga", league);
    Require(QDir(dir_.path()).mkdir("liga.neu"), "folder made");
    Require(WriteBytes(Path("liga.neu/spiel"), std::vector<std::uint8_t>(10, 1)), "file");

    const std::vector<BoxSeen> boxes = OpenFile(Path("liga.neu/spiel"));
    EXPECT_TRUE(boxes.empty());
    ExpectLoaded();
    EXPECT_EQ(FinfoTexts(), QStringList({"762", "1548", "3", "6"}));
    EXPECT_EQ(TeamEntries(), ListedTeams(league));
}

TEST_F(LeagueLoadTest, FailedRosterReadAfterALoadKeepsOldRosterSize) {
    LoadLeague(StandardLeague() + ".tms");
    std::vector<std::uint8_t> teams = TeamImage({"Alpha"});
    teams.resize(300, 0);
    Require(WriteBytes(Path("next.tms"), teams), "team written");

    ExpectOneLoadError(OpenFile(Path("next.tms")), kRosterError);
    ExpectNoLeague();
    EXPECT_EQ(FinfoTexts(), QStringList({"300", "46440", "??", "??"}));
}

TEST_F(LeagueLoadTest, FailedTeamReadAfterALoadDisablesEverything) {
    LoadLeague(StandardLeague() + ".tms");
    ExpectOneLoadError(OpenFile(Path("absent.tms")), kTeamError);
    ExpectNoLeague();
    EXPECT_EQ(FinfoTexts(), QStringList({"4572", "46440", "??", "??"}));

    // The next good load works again.
    LoadLeague(Path("spiel.ros"));
    ExpectLoaded();
    EXPECT_EQ(FinfoTexts(), QStringList({"4572", "46440", "18", "30"}));
}

TEST_F(LeagueLoadTest, GeometryFailureAfterALoadDisablesEverything) {
    LoadLeague(StandardLeague() + ".tms");
    const QString thin =
        WriteFiles("thin", TeamImage({"Alpha", "Beta"}), std::vector<std::uint8_t>(171, 0));
    ExpectOneLoadError(OpenFile(thin + ".tms"), kGeometryError);
    ExpectNoLeague();
    EXPECT_EQ(FinfoTexts(), QStringList({"508", "171", "2", "??"}));
}

TEST_F(LeagueLoadTest, TeamListSkipsUnnamedTeamsAndCarriesTeamIndices) {
    using std::string_literals::operator""s;
    const std::vector<std::string> names = {"Alpha", "\0Beta"s, "X",    "  Y\t",
                                            "Delta", "Delta",   "Omega"};
    std::vector<std::uint8_t> roster;
    for (std::size_t t = 0; t < names.size(); ++t)
        leaguegen::PlayerBuilder().Name("Player " + std::to_string(t)).AppendTo(roster);
    LoadLeague(WriteFiles("named", TeamImage(names), roster) + ".tms");

    auto* cbt = Control<QComboBox>("cbt");
    EXPECT_EQ(TeamEntries(), QStringList({"<All>", "Alpha", "Delta", "Delta", "Omega"}));
    EXPECT_EQ(cbt->currentIndex(), 0);
    ASSERT_EQ(cbt->count(), 5);
    EXPECT_EQ(cbt->itemData(1).toInt(), 0);
    EXPECT_EQ(cbt->itemData(2).toInt(), 4);
    EXPECT_EQ(cbt->itemData(3).toInt(), 5);
    EXPECT_EQ(cbt->itemData(4).toInt(), 6);
}

TEST_F(LeagueLoadTest, SecondLoadReplacesTheTeamList) {
    LoadLeague(WriteFiles("first", TeamImage({"Alpha", "Beta", "Gamma"}),
                          std::vector<std::uint8_t>(3 * 86, 0)) +
               ".tms");
    Control<QComboBox>("cbt")->setCurrentIndex(2);
    LoadLeague(WriteFiles("second", TeamImage({"Delta", "Epsilon"}),
                          std::vector<std::uint8_t>(2 * 86, 0)) +
               ".tms");
    EXPECT_EQ(TeamEntries(), QStringList({"<All>", "Delta", "Epsilon"}));
    EXPECT_EQ(Control<QComboBox>("cbt")->currentIndex(), 0);
}

}  // namespace
}  // namespace vantrel::apptest
