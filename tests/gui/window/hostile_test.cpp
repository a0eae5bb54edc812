// Hostile league files through the real window: odd sizes, things that are not regular
// files, unusual paths, every byte value in every coded field. Each ends in the message
// of its failure or in a usable league, never in a hang or a crash, and the files are
// left exactly as they were, with no handle kept on them.

#include "apptest.h"

#include "core/league/records.h"
#include "gui/chart/barchart3d.h"
#include "gui/results/resultmodel.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <set>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vantrel::apptest {
namespace {

using leaguegen::PlayerBuilder;

std::filesystem::path FsPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

std::vector<char> FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class HostileTest : public AppTest {
  protected:
    // The outcome of a load: no message and a league, or exactly one message and none.
    void ExpectOutcome(const std::vector<BoxSeen>& boxes, const QString& message) {
        if (message.isEmpty()) {
            EXPECT_TRUE(boxes.empty()) << (boxes.empty() ? "" : boxes[0].text.toStdString());
            EXPECT_GT(Window().League().PlayersPerTeam, 0);
            return;
        }
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, message);
        EXPECT_EQ(boxes[0].title, "Fehler");
        EXPECT_EQ(boxes[0].icon, QMessageBox::Critical);
        EXPECT_EQ(Window().League().PlayersPerTeam, 0);
        EXPECT_EQ(Control<QComboBox>("cbt")->count(), 0);
        EXPECT_EQ(Control<QLabel>("avgov")->text(), "0");
    }

    int Rows() { return Found()->model()->rowCount(); }
    std::int32_t RecordOfRow(int row) {
        return Found()->model()->index(row, 0).data(kRecordIndexRole).toInt();
    }
    bool TabVisible(const char* page) {
        auto* pc = Control<QTabWidget>("pc");
        return pc->isTabVisible(pc->indexOf(Control<QWidget>(page)));
    }
};

// Team and roster files of sizes just around one record, through the open dialog.
TEST_F(HostileTest, SizesAroundTheRecordSizesEndInTheirMessage) {
    struct Case {
        int teamBytes, rosterBytes;
        QString message;
    };
    const Case cases[] = {
        {0, 86, kTeamError},
        {1, 86, kGeometryError},
        {85, 86, kGeometryError},
        {86, 86, kGeometryError},
        {253, 86, kGeometryError},
        {254, 86, {}},
        {255, 86, {}},
        {254, 0, kRosterError},
        {254, 1, kGeometryError},
        {254, 85, kGeometryError},
        {254, 253, {}},
        {254, 254, {}},
        {254, 255, {}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.teamBytes << " / " << c.rosterBytes);
        // 'A' everywhere: one team "AAAAAAAAAA", every whole player record named.
        const QString base =
            WriteFiles("size" + QString::number(n++),
                       std::vector<std::uint8_t>(static_cast<std::size_t>(c.teamBytes), 'A'),
                       std::vector<std::uint8_t>(static_cast<std::size_t>(c.rosterBytes), 'A'));
        ExpectOutcome(OpenFile(base + ".ros"), c.message);
        if (!c.message.isEmpty())
            continue;
        EXPECT_EQ(TeamEntries(), QStringList({"<All>", "AAAAAAAAAA"}));
        ModalAnswerer answerer;
        Search();
        EXPECT_EQ(Lanz(), QString::number(c.rosterBytes / 86));
        ShowDetailsOfRow(Rows() - 1);
        EXPECT_TRUE(answerer.Boxes().empty());
        EXPECT_EQ(PageLabel("TabSheet2", "Label36"), "AAAAAAAAAA");
    }
}

#ifndef _WIN32
// Frees a reader blocked on a FIFO after a while, so that a regression fails the test
// instead of hanging it.
class FifoWatchdog {
  public:
    explicit FifoWatchdog(std::filesystem::path fifo)
        : fifo_(std::move(fifo)), thread_([this] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, std::chrono::seconds(5), [this] { return finished_; })) {
                  fired_ = true;
                  const int writer = open(fifo_.c_str(), O_WRONLY | O_NONBLOCK);
                  if (writer >= 0)
                      close(writer);
              }
          }) {}
    ~FifoWatchdog() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_all();
        thread_.join();
    }
    bool Fired() const { return fired_; }

  private:
    std::filesystem::path fifo_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::atomic<bool> fired_{false};
    std::thread thread_;
};

TEST_F(HostileTest, WhatIsNotARegularFileEndsInAReadMessageWithoutWaiting) {
    const std::vector<std::uint8_t> teams = TeamImage({"Alpha", "Bravo"});
    const std::vector<std::uint8_t> roster(2 * 5 * 86, 'B');
    const auto dir = FsPath(dir_.path());

    // A FIFO as team file, then as roster file: nobody writes to either.
    ASSERT_EQ(mkfifo((dir / "pipe.tms").c_str(), 0600), 0);
    Require(WriteBytes(Path("pipe.ros"), roster), "roster");
    {
        FifoWatchdog watchdog(dir / "pipe.tms");
        ExpectOutcome(OpenFile(Path("pipe.ros")), kTeamError);
        EXPECT_FALSE(watchdog.Fired()) << "the team read waited for a writer";
    }
    ASSERT_EQ(mkfifo((dir / "tube.ros").c_str(), 0600), 0);
    Require(WriteBytes(Path("tube.tms"), teams), "teams");
    {
        FifoWatchdog watchdog(dir / "tube.ros");
        ExpectOutcome(OpenFile(Path("tube.tms")), kRosterError);
        EXPECT_FALSE(watchdog.Fired()) << "the roster read waited for a writer";
    }

    // /dev/zero behind a league name: an endless device is not read.
    std::filesystem::create_symlink("/dev/zero", dir / "zero.tms");
    Require(WriteBytes(Path("zero.ros"), roster), "roster");
    ExpectOutcome(OpenFile(Path("zero.ros")), kTeamError);
    std::filesystem::create_symlink("/dev/zero", dir / "nil.ros");
    Require(WriteBytes(Path("nil.tms"), teams), "teams");
    ExpectOutcome(OpenFile(Path("nil.tms")), kRosterError);
    // /dev/zero itself has no "." in its path; its folder neither.
    const std::vector<BoxSeen> boxes = OpenFile(QStringLiteral("/dev/zero"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Es trat ein Fehler beim Lesen der Dateien auf!");

    // A folder named like the team file (the dialog only lets a file be chosen).
    std::filesystem::create_directory(dir / "folders.tms");
    Require(WriteBytes(Path("folders.ros"), roster), "roster");
    ExpectOutcome(OpenFile(Path("folders.ros")), kTeamError);

    // A file holding fewer bytes than its size says, like one that shrank before the
    // read: kernel attribute files claim 4096 bytes and hold a few.
    const std::filesystem::path attribute = "/sys/devices/system/cpu/online";
    std::error_code ec;
    if (std::filesystem::is_regular_file(attribute, ec) &&
        FileBytes(attribute).size() < std::filesystem::file_size(attribute, ec)) {
        std::filesystem::create_symlink(attribute, dir / "short.tms");
        Require(WriteBytes(Path("short.ros"), roster), "roster");
        ExpectOutcome(OpenFile(Path("short.ros")), kTeamError);
    }

    // The window still loads a proper league afterwards.
    const QString good = WriteFiles("good", teams, roster);
    ExpectOutcome(OpenFile(good + ".tms"), {});
}
#endif

// Paths as users name their folders: blanks, several dots, dots only in folder names
// (the base then ends in a folder name). Letters beyond ASCII cannot be typed into the
// dialog by the test tools; the league tests read such paths.
TEST_F(HostileTest, UnusualPathsLoadTheLeagueTheyName) {
    leaguegen::Options options;
    options.teams = 3;
    options.slotsPerTeam = 4;
    const leaguegen::League league = leaguegen::Generate(options);
    struct Case {
        QString folder, base, chosen;
    };
    const Case cases[] = {
        {"Liga mit Leerzeichen", "spiel eins", "spiel eins.ros"},
        {"liga.v2", "spiel.alt.v3", "spiel.alt.v3.ros"},
        {" ..", "...", "....tms"},
        // No dot in the file name: the base is the folder path up to its last dot.
        {"a.b/c.d", "../c", "spiel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder.toStdString() + " / " + c.chosen.toStdString());
        Require(QDir(dir_.path()).mkpath(c.folder), "folder made");
        const QString folder = Path(c.folder);
        Require(leaguegen::WriteLeague(league, FsPath(folder + "/" + c.base)), "league written");
        if (!QFile::exists(folder + "/" + c.chosen))
            Require(WriteBytes(folder + "/" + c.chosen, {1}), "chosen file");
        ExpectOutcome(OpenFile(folder + "/" + c.chosen), {});
        EXPECT_EQ(Window().League().TeamFileSize, 3 * 254);
        EXPECT_EQ(Window().League().RosterFileSize, 3 * 4 * 86);
    }
}

// A player per byte value: every coded field (position, status, hand, assignment, age,
// condition, ratings, statistics) holds that value, with the salary extremes among them.
// Search, every ordering and the details of every row run without a message.
TEST_F(HostileTest, EveryByteValueOfEveryCodedFieldIsSearchedSortedAndShown) {
    std::vector<std::uint8_t> roster;
    for (int v = 0; v < 256; ++v) {
        const auto b = static_cast<std::uint8_t>(v);
        const std::int32_t salaries[] = {std::numeric_limits<std::int32_t>::min(),
                                         std::numeric_limits<std::int32_t>::max(), -1, 0};
        // The value itself ends the name too; a zero or a blank is cut off, the rest stays.
        const std::string name = "N" + std::to_string(v) + std::string(1, static_cast<char>(b));
        PlayerBuilder player;
        player.Name(name)
            .Position(b)
            .Number(b)
            .Status(b)
            .Hand(b)
            .Height(b)
            .Weight(b)
            .Age(b)
            .Assignment(b)
            .Condition(b)
            .Contract(b)
            .GamesPlayed(b)
            .GoalsOrPim(b)
            .Assists(b)
            .PlusMinus(b)
            .PimOrGoalsAgainst(static_cast<std::uint16_t>(v * 257))
            .Shots(static_cast<std::uint16_t>((255 - v) * 257))
            .PowerPlayGoalsOrShutouts(b)
            .ShortHandedGoalsOrWins(b)
            .GameWinningGoalsOrLosses(b)
            .GameTyingGoalsOrTies(b)
            .ShortCode(std::string(3, static_cast<char>(b)))
            .Salary(v < 4 ? salaries[v] : (v - 128) * 16777216);
        for (int i = 0; i < kStoredRatingCount; ++i)
            player.Rating(i, b);
        player.AppendTo(roster);
    }
    // Two teams of 128 slots.
    LoadLeague(WriteFiles("bytes", TeamImage({"Alpha", "Bravo"}), roster) + ".ros");
    ASSERT_EQ(Window().League().PlayersPerTeam, 128);

    ModalAnswerer answerer;
    Search();
    ASSERT_EQ(Lanz(), "256");
    for (int column = 0; column < kResultColumnCount; ++column) {
        ClickHeader(column);
        ClickHeader(column);
    }
    ASSERT_EQ(Rows(), 256);
    std::set<std::int32_t> shown;
    for (int row = 0; row < Rows(); ++row) {
        const std::int32_t record = RecordOfRow(row);
        SCOPED_TRACE(record);
        shown.insert(record);
        ShowDetailsOfRow(row);
        // The page follows the position byte; the age is shown unsigned.
        EXPECT_EQ(TabVisible("TabSheet3"), record == 4);
        EXPECT_EQ(TabVisible("TabSheet2"), record != 4);
        EXPECT_EQ(PageLabel("TabSheet2", "Label22"), QString::number(record));
        EXPECT_EQ(PageLabel("TabSheet2", "Label36"), record < 128 ? "Alpha" : "Bravo");
        auto* skaterBars = Control<BarChart3D>("ch")->findChild<BarSeries3D*>("Series1");
        ASSERT_NE(skaterBars, nullptr);
        ASSERT_EQ(skaterBars->barCount(), 15);
        EXPECT_EQ(skaterBars->barValue(0), record);  // condition
        if (record > 4) {
            EXPECT_EQ(skaterBars->barValue(14), 0);  // no OV outside positions 0..4
        }
    }
    EXPECT_EQ(shown.size(), 256u);
    EXPECT_TRUE(answerer.Boxes().empty())
        << answerer.Boxes().size() << " boxes, first: " << answerer.Boxes()[0].text.toStdString();
}

// Records whose text fields hold no zero byte at all: names end at their field.
TEST_F(HostileTest, RecordsWithoutZeroBytesShowNamesCutAtTheirFields) {
    const std::vector<std::uint8_t> teams(2 * 254, 'T');
    // Position byte 'P' (80) is no known position: the skater page.
    const std::vector<std::uint8_t> roster(2 * 3 * 86, 'P');
    LoadLeague(WriteFiles("full", teams, roster) + ".tms");
    EXPECT_EQ(TeamEntries(), QStringList({"<All>", "TTTTTTTTTT", "TTTTTTTTTT"}));
    ModalAnswerer answerer;
    Search();
    ASSERT_EQ(Rows(), 6);
    ShowDetailsOfRow(5);
    EXPECT_TRUE(answerer.Boxes().empty());
    EXPECT_EQ(PageLabel("TabSheet2", "Label5"), QString(21, 'P'));
    EXPECT_EQ(PageLabel("TabSheet2", "Label36"), "TTTTTTTTTT");
    EXPECT_EQ(PageLabel("TabSheet3", "Label80"), "PPP");
}

// The tool only reads: after a load, a search, an ordering and the details with their
// animation, both files hold the same bytes and times, the folder holds nothing new, and
// no handle on either file is left open.
TEST_F(HostileTest, NothingIsWrittenAndNoFileIsKeptOpen) {
    leaguegen::Options options;
    options.teams = 4;
    options.slotsPerTeam = 6;
    const QString base = WriteLeague("kept", leaguegen::Generate(options));
    const auto teams = FsPath(base + ".tms");
    const auto roster = FsPath(base + ".ros");
    const auto folder = FsPath(dir_.path());
    auto listing = [&folder] {
        std::set<std::filesystem::path> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.insert(entry.path().filename());
        return names;
    };
    const std::vector<char> teamBytes = FileBytes(teams), rosterBytes = FileBytes(roster);
    const auto teamTime = std::filesystem::last_write_time(teams);
    const auto rosterTime = std::filesystem::last_write_time(roster);
    const auto before = listing();

    LoadLeague(base + ".ros");
    {
        ModalAnswerer answerer;
        Search();
        ASSERT_GT(Rows(), 1);
        ClickHeader(kAgeColumn);
        ClickHeader(kAgeColumn);
        ShowDetailsOfRow(0);
        ShowDetailsOfRow(1);
        QTest::qWait(800);  // the chart animation runs its 41 ticks
        EXPECT_TRUE(answerer.Boxes().empty());
    }
    LoadLeague(base + ".tms");

    EXPECT_EQ(FileBytes(teams), teamBytes);
    EXPECT_EQ(FileBytes(roster), rosterBytes);
    EXPECT_EQ(std::filesystem::last_write_time(teams), teamTime);
    EXPECT_EQ(std::filesystem::last_write_time(roster), rosterTime);
    EXPECT_EQ(listing(), before);

#ifdef __linux__
    const std::set<std::filesystem::path> league{std::filesystem::canonical(teams),
                                                 std::filesystem::canonical(roster)};
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        const std::filesystem::path target = std::filesystem::read_symlink(entry.path(), ec);
        if (!ec) {
            EXPECT_EQ(league.count(target), 0u)
                << "open handle " << entry.path() << " on " << target;
        }
    }
#endif
}

}  // namespace
}  // namespace vantrel::apptest
