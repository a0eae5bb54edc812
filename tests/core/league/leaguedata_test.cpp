#include "core/league/leaguedata.h"

#include "core/league/records.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <future>
#include <limits>
#include <memory>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vantrel {
namespace {

using test::TempDir;

std::vector<std::uint8_t> Pattern(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return bytes;
}

std::vector<std::uint8_t> BytesOf(const SharedImage& image) {
    return {image->data.get(), image->data.get() + image->size};
}

struct GeometryCase {
    std::int32_t teamFileSize, rosterFileSize;
    GeometryResult result;
    std::int32_t teamCount, teamStride, playersPerTeam, playerCount;
};

TEST(Geometry, FollowsFromTheTwoFileSizes) {
    const GeometryCase cases[] = {
        {4572, 46440, GeometryResult::kOk, 18, 2580, 30, 540},
        // Remainders are ignored in both files.
        {300, 1000, GeometryResult::kOk, 1, 1000, 11, 11},
        {30 * 254 + 100, 30 * 25 * 86, GeometryResult::kOk, 30, 2150, 25, 750},
        // No whole team record: the stride is never computed.
        {253, 46440, GeometryResult::kFailed, 0, 0, 0, 540},
        {0, 0, GeometryResult::kFailed, 0, 0, 0, 0},
        // A team block smaller than one player record.
        {254, 85, GeometryResult::kFailed, 1, 85, 0, 0},
        {18 * 254, 18 * 86 - 1, GeometryResult::kFailed, 18, 85, 0, 17},
    };
    for (const auto& c : cases) {
        LeagueData league;
        league.TeamFileSize = c.teamFileSize;
        league.RosterFileSize = c.rosterFileSize;
        SCOPED_TRACE(testing::Message() << c.teamFileSize << " / " << c.rosterFileSize);
        EXPECT_EQ(league.ComputeGeometry(), c.result);
        EXPECT_EQ(league.TeamCount, c.teamCount);
        EXPECT_EQ(league.TeamStride, c.teamStride);
        EXPECT_EQ(league.PlayersPerTeam, c.playersPerTeam);
        EXPECT_EQ(league.PlayerCount(), c.playerCount);
        EXPECT_EQ(league.IsLoaded(), c.result == GeometryResult::kOk);
    }
}

TEST(ReadFileImage, ReadsExactlyTheBytesOfTheFile) {
    const TempDir dir;
    const auto bytes = Pattern(46440);
    const SharedImage image = ReadFileImage(dir.Write("league.ros", bytes));
    ASSERT_TRUE(image);
    EXPECT_EQ(BytesOf(image), bytes);
    const SharedImage one = ReadFileImage(dir.Write("one.tms", {0x5A}));
    ASSERT_TRUE(one);
    EXPECT_EQ(BytesOf(one), std::vector<std::uint8_t>{0x5A});
}

TEST(ReadFileImage, RefusesWhatIsNotANonEmptyRegularFile) {
    const TempDir dir;
    EXPECT_FALSE(ReadFileImage(dir.Write("empty.tms", {})));
    EXPECT_FALSE(ReadFileImage(dir.Path() / "missing.tms"));
    std::filesystem::create_directory(dir.Path() / "folder.tms");
    EXPECT_FALSE(ReadFileImage(dir.Path() / "folder.tms"));
    EXPECT_FALSE(ReadFileImage(std::filesystem::path()));
}

TEST(ReadFileImage, FindsFilesBehindSpacesLettersAndDots) {
    const TempDir dir;
    const std::filesystem::path names[] = {
        std::filesystem::path("Liga mit Leer zeichen") / "spiel eins.tms",
        std::filesystem::path(u8"L\u00F6wen \u00C9t\u00E9") / u8"Stra\u00DFe.ros",
        std::filesystem::path("liga.neu") / "spiel.alt.v2.tms",
    };
    for (const auto& name : names) {
        const auto bytes = Pattern(300);
        const SharedImage image = ReadFileImage(dir.Write(name, bytes));
        ASSERT_TRUE(image) << name;
        EXPECT_EQ(BytesOf(image), bytes);
    }
}

#ifndef _WIN32
TEST(ReadFileImage, RefusesAFifoWithoutWaitingForAWriter) {
    const TempDir dir;
    const auto fifo = dir.Path() / "league.ros";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto read = std::async(std::launch::async, [&fifo] { return ReadFileImage(fifo) != nullptr; });
    if (read.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        // Free the blocked reader so the test can end, then fail.
        const int writer = open(fifo.c_str(), O_WRONLY);
        if (writer >= 0)
            close(writer);
        read.wait();
        FAIL() << "reading a FIFO blocked";
    }
    EXPECT_FALSE(read.get());
}
#endif

class LeagueFiles : public testing::Test {
  protected:
    TempDir dir_;
    std::filesystem::path teams_ = dir_.Write("spiel.tms", Pattern(4572));
    std::filesystem::path roster_ = dir_.Write("spiel.ros", Pattern(46440));

    LeagueData Loaded() {
        LeagueData league;
        EXPECT_TRUE(league.ReadTeamImage(teams_));
        EXPECT_TRUE(league.ReadRosterImage(roster_));
        EXPECT_EQ(league.ComputeGeometry(), GeometryResult::kOk);
        return league;
    }
};

TEST_F(LeagueFiles, SuccessfulReadsRecordTheSizes) {
    const LeagueData league = Loaded();
    EXPECT_EQ(league.TeamFileSize, 4572);
    EXPECT_EQ(league.RosterFileSize, 46440);
    EXPECT_EQ(BytesOf(league.TeamFileImage), Pattern(4572));
    EXPECT_EQ(BytesOf(league.RosterFileImage), Pattern(46440));
    EXPECT_TRUE(league.IsLoaded());
}

TEST_F(LeagueFiles, FailedTeamReadReleasesImageAndCountsButKeepsTheSize) {
    LeagueData league = Loaded();
    EXPECT_FALSE(league.ReadTeamImage(dir_.Path() / "missing.tms"));
    EXPECT_FALSE(league.TeamFileImage);
    EXPECT_EQ(league.TeamFileSize, 4572);
    EXPECT_EQ(league.TeamCount, 0);
    EXPECT_EQ(league.TeamStride, 0);
    EXPECT_EQ(league.PlayersPerTeam, 0);
    EXPECT_FALSE(league.IsLoaded());
    EXPECT_EQ(league.TeamAt(0), nullptr);
    // The roster image is not touched by a team read.
    EXPECT_TRUE(league.RosterFileImage);
}

TEST_F(LeagueFiles, FailedRosterReadReleasesImageAndCountsButKeepsTheSize) {
    LeagueData league = Loaded();
    EXPECT_FALSE(league.ReadRosterImage(dir_.Write("empty.ros", {})));
    EXPECT_FALSE(league.RosterFileImage);
    EXPECT_EQ(league.RosterFileSize, 46440);
    EXPECT_EQ(league.TeamCount, 0);
    EXPECT_EQ(league.TeamStride, 0);
    EXPECT_EQ(league.PlayersPerTeam, 0);
    EXPECT_EQ(league.PlayerAt(0), nullptr);
    EXPECT_TRUE(league.TeamFileImage);
}

TEST_F(LeagueFiles, ImagesOutliveTheLeagueThatReplacedThem) {
    LeagueData league = Loaded();
    const SharedImage kept = league.RosterFileImage;
    ASSERT_TRUE(league.ReadRosterImage(dir_.Write("other.ros", Pattern(860))));
    EXPECT_EQ(BytesOf(kept), Pattern(46440));
    EXPECT_EQ(league.RosterFileSize, 860);
}

// A reread lends the replaced image's memory to the new image when nothing else holds
// it; a holder keeps its bytes, and whoever watches the old image sees it end.
TEST_F(LeagueFiles, ARereadReusesTheMemoryOnlyOfAnImageNothingElseHolds) {
    LeagueData league = Loaded();
    const std::uint8_t* const memory = league.RosterFileImage->data.get();
    const std::weak_ptr<const ByteImage> watcher = league.RosterFileImage;
    std::vector<std::uint8_t> changed = Pattern(46440);
    changed[0] ^= 0xFF;
    ASSERT_TRUE(league.ReadRosterImage(dir_.Write("again.ros", changed)));
    EXPECT_EQ(league.RosterFileImage->data.get(), memory);
    EXPECT_EQ(BytesOf(league.RosterFileImage), changed);
    EXPECT_TRUE(watcher.expired());

    const SharedImage held = league.RosterFileImage;
    ASSERT_TRUE(league.ReadRosterImage(dir_.Write("third.ros", Pattern(46440))));
    EXPECT_EQ(BytesOf(held), changed);
    EXPECT_EQ(BytesOf(league.RosterFileImage), Pattern(46440));
}

TEST(RecordAddresses, NeverLieOutsideTheImage) {
    const TempDir dir;
    LeagueData league;
    // 1000 bytes: 11 whole player records and a partial twelfth.
    ASSERT_TRUE(league.ReadRosterImage(dir.Write("a.ros", Pattern(1000))));
    ASSERT_TRUE(league.ReadTeamImage(dir.Write("a.tms", Pattern(300))));
    ASSERT_EQ(league.ComputeGeometry(), GeometryResult::kOk);
    const std::uint8_t* roster = league.RosterFileImage->data.get();
    EXPECT_EQ(league.PlayerAt(0), roster);
    EXPECT_EQ(league.PlayerAt(10), roster + 860);
    EXPECT_EQ(league.PlayerAt(11), nullptr);
    EXPECT_EQ(league.PlayerAt(-1), nullptr);
    EXPECT_EQ(league.PlayerAt(std::numeric_limits<std::int64_t>::max()), nullptr);
    EXPECT_EQ(league.PlayerAt(std::numeric_limits<std::int64_t>::min()), nullptr);

    // 300 bytes hold one team record; the 46 bytes behind it are no second team.
    EXPECT_EQ(league.TeamAt(0), league.TeamFileImage->data.get());
    EXPECT_EQ(league.TeamAt(1), nullptr);
    EXPECT_EQ(league.TeamAt(-1), nullptr);

    // Counts larger than the image (sizes set by hand) still give no address past it.
    league.TeamCount = 5;
    EXPECT_EQ(league.TeamAt(1), nullptr);
    // A team index past TeamCount is refused even where the image has bytes.
    league.TeamCount = 0;
    EXPECT_EQ(league.TeamAt(0), nullptr);
    EXPECT_EQ(RecordInImage(nullptr, 0, kPlayerRecordSize), nullptr);
}

}  // namespace
}  // namespace vantrel
