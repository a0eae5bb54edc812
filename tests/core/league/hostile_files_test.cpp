// League files as a stranger might send them: sizes around the record sizes and the
// signed 32-bit limit, things that are not regular files, a file whose size lies, and
// rosters with more records than their teams have slots. Each must end in a clear
// outcome without reading outside an image.

#include "core/league/leaguedata.h"

#include "leaguegen.h"
#include "core/search/playerfilter.h"
#include "support/addressspace.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#if defined(__linux__)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <system_error>
#include <vector>

namespace vantrel {
namespace {

using test::TempDir;

std::vector<std::uint8_t> Filled(std::size_t size, std::uint8_t value = 0x41) {
    return std::vector<std::uint8_t>(size, value);
}

// A file of the given size that holds no data blocks; false when the file system
// cannot make one.
bool MakeSparse(const std::filesystem::path& path, std::uintmax_t size) {
    std::ofstream(path, std::ios::binary).close();
    std::error_code ec;
    std::filesystem::resize_file(path, size, ec);
    return !ec && std::filesystem::file_size(path, ec) == size && !ec;
}

struct SizeCase {
    std::size_t teamBytes, rosterBytes;
    bool teamRead, rosterRead;
    GeometryResult geometry;
    std::int32_t teamCount, playersPerTeam;
};

// The sizes just around one team record and one player record, as team file and as
// roster file, through the steps of a load.
TEST(HostileSizes, EverySizeAroundTheRecordSizesHasItsOutcome) {
    const SizeCase cases[] = {
        // Team file sizes, with a roster of one record.
        {0, 86, false, true, GeometryResult::kFailed, 0, 0},
        {1, 86, true, true, GeometryResult::kFailed, 0, 0},
        {85, 86, true, true, GeometryResult::kFailed, 0, 0},
        {86, 86, true, true, GeometryResult::kFailed, 0, 0},
        {253, 86, true, true, GeometryResult::kFailed, 0, 0},
        {254, 86, true, true, GeometryResult::kOk, 1, 1},
        {255, 86, true, true, GeometryResult::kOk, 1, 1},
        // Roster file sizes, with one team.
        {254, 0, true, false, GeometryResult::kFailed, 0, 0},
        {254, 1, true, true, GeometryResult::kFailed, 1, 0},
        {254, 85, true, true, GeometryResult::kFailed, 1, 0},
        {254, 86, true, true, GeometryResult::kOk, 1, 1},
        {254, 253, true, true, GeometryResult::kOk, 1, 2},
        {254, 254, true, true, GeometryResult::kOk, 1, 2},
        {254, 255, true, true, GeometryResult::kOk, 1, 2},
        // Two teams need two records: 171 bytes give each team a block of 85.
        {508, 171, true, true, GeometryResult::kFailed, 2, 0},
        {508, 172, true, true, GeometryResult::kOk, 2, 1},
    };
    const TempDir dir;
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.teamBytes << " / " << c.rosterBytes);
        const auto teams = dir.Write("case.tms", Filled(c.teamBytes));
        const auto roster = dir.Write("case.ros", Filled(c.rosterBytes));
        LeagueData league;
        ASSERT_EQ(league.ReadTeamImage(teams), c.teamRead);
        if (!c.teamRead) {
            EXPECT_FALSE(league.TeamFileImage);
            continue;
        }
        ASSERT_EQ(league.ReadRosterImage(roster), c.rosterRead);
        if (!c.rosterRead) {
            EXPECT_FALSE(league.RosterFileImage);
            continue;
        }
        EXPECT_EQ(league.TeamFileImage->size, c.teamBytes);
        EXPECT_EQ(league.RosterFileImage->size, c.rosterBytes);
        EXPECT_EQ(league.ComputeGeometry(), c.geometry);
        EXPECT_EQ(league.TeamCount, c.teamCount);
        EXPECT_EQ(league.PlayersPerTeam, c.playersPerTeam);
        EXPECT_EQ(league.IsLoaded(), c.geometry == GeometryResult::kOk);
        // Whatever the geometry, the record addresses stay inside the images.
        EXPECT_EQ(league.PlayerAt(league.PlayerCount()), nullptr);
        EXPECT_EQ(league.TeamAt(league.TeamCount), nullptr);
    }
}

TEST(HostileSizes, FilesBeyondTheSigned32BitSizesAreRefusedBeforeAnyAllocation) {
    const TempDir dir;
    const std::uintmax_t limit = std::numeric_limits<std::int32_t>::max();
    for (std::uintmax_t size : {limit + 1, limit + 2, std::uintmax_t{1} << 32}) {
        SCOPED_TRACE(size);
        const auto path = dir.Path() / "huge.ros";
        if (!MakeSparse(path, size))
            GTEST_SKIP() << "no sparse files here";
        // Reading would need gigabytes; a refusal is immediate.
        EXPECT_FALSE(ReadFileImage(path));
        LeagueData league;
        league.RosterFileSize = 860;
        EXPECT_FALSE(league.ReadRosterImage(path));
        EXPECT_EQ(league.RosterFileSize, 860);
    }
}

// 2147483647 bytes is the largest size a league file may have. Reading it allocates
// 2 GiB, so the test runs only on request (VANTREL_BIG_FILE_TESTS=1).
TEST(HostileSizes, LargestDescribableFileIsRead) {
    if (!std::getenv("VANTREL_BIG_FILE_TESTS"))
        GTEST_SKIP() << "set VANTREL_BIG_FILE_TESTS=1 to read a 2 GiB sparse file";
    const TempDir dir;
    const auto path = dir.Path() / "largest.ros";
    const std::uintmax_t size = std::numeric_limits<std::int32_t>::max();
    if (!MakeSparse(path, size))
        GTEST_SKIP() << "no sparse files here";
    LeagueData league;
    ASSERT_TRUE(league.ReadRosterImage(path));
    EXPECT_EQ(league.RosterFileSize, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(league.PlayerCount(), 24970740);
}

#ifdef VANTREL_ADDRESS_SPACE_TESTS
using testsupport::MappedBytes;

// A file larger than the memory the process may still map is a failed read, not an
// exception out of the reader. Run in a child whose address space is limited.
TEST(HostileSizes, FileLargerThanTheMemoryLeftIsAFailedRead) {
    const TempDir dir;
    const auto path = dir.Path() / "big.ros";
    if (!MakeSparse(path, std::uintmax_t{1} << 30))
        GTEST_SKIP() << "no sparse files here";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlim_t limit = MappedBytes() + (rlim_t{256} << 20);
        const rlimit space{limit, limit};
        if (setrlimit(RLIMIT_AS, &space) != 0)
            _exit(3);
        try {  // the child never returns into the test runner
            LeagueData league;
            league.RosterFileSize = 860;
            const bool refused = !league.ReadRosterImage(path) && !league.RosterFileImage &&
                                 league.RosterFileSize == 860;
            _exit(refused ? 0 : 1);
        } catch (...) {
            _exit(2);
        }
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the reader did not end normally";
    if (WEXITSTATUS(status) == 3)
        GTEST_SKIP() << "the kernel refused the address-space limit";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: read or wrong state, 2: an exception escaped";
}
#endif

TEST(HostileKinds, OnlyRegularFilesAreRead) {
    const TempDir dir;
    std::filesystem::create_directories(dir.Path() / "spiel.tms");
    EXPECT_FALSE(ReadFileImage(dir.Path() / "spiel.tms"));
    // A folder named like a league file stays a folder even through a link.
    std::error_code ec;
    std::filesystem::create_directory_symlink(dir.Path() / "spiel.tms", dir.Path() / "link.tms",
                                              ec);
    if (!ec) {
        EXPECT_FALSE(ReadFileImage(dir.Path() / "link.tms"));
    }
}

#ifndef _WIN32
TEST(HostileKinds, DevicesAreRefusedWithoutReading) {
    const TempDir dir;
    // /dev/zero never ends and /dev/null is empty; neither is a league file, also when a
    // link with a league name points at it.
    for (const char* device : {"/dev/zero", "/dev/null", "/dev/urandom"}) {
        SCOPED_TRACE(device);
        if (!std::filesystem::exists(device))
            continue;
        EXPECT_FALSE(ReadFileImage(device));
        const auto link = dir.Path() / "device.ros";
        std::filesystem::remove(link);
        std::filesystem::create_symlink(device, link);
        EXPECT_FALSE(ReadFileImage(link));
    }
}

// A file that holds fewer bytes than its size says, as one that shrank between the size
// and the read does. Kernel attribute files report 4096 bytes and hold a few.
TEST(HostileKinds, FileShorterThanItsSizeIsAFailedRead) {
    const char* candidates[] = {"/sys/devices/system/cpu/online", "/sys/kernel/profiling",
                                "/sys/kernel/mm/transparent_hugepage/enabled"};
    for (const char* candidate : candidates) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(candidate, ec))
            continue;
        const std::uintmax_t claimed = std::filesystem::file_size(candidate, ec);
        std::ifstream in(candidate, std::ios::binary);
        const std::vector<char> held{std::istreambuf_iterator<char>(in), {}};
        if (ec || held.empty() || held.size() >= claimed)
            continue;
        SCOPED_TRACE(candidate);
        EXPECT_FALSE(ReadFileImage(candidate));
        const TempDir dir;
        const auto link = dir.Path() / "shrunk.tms";
        std::filesystem::create_symlink(candidate, link);
        LeagueData league;
        EXPECT_FALSE(league.ReadTeamImage(link));
        EXPECT_EQ(league.TeamFileSize, 0);
        EXPECT_FALSE(league.TeamFileImage);
        return;
    }
    GTEST_SKIP() << "no file here whose size exceeds its content";
}
#endif

// A roster with more records than TeamCount x PlayersPerTeam: the search scans them all,
// while no record past the team blocks has a team record to show.
TEST(HostileRosters, RecordsPastTheTeamBlocksAreSearchedButHaveNoTeam) {
    std::vector<std::uint8_t> teams;
    for (const char* name : {"Alpha", "Beta"})
        leaguegen::TeamBuilder().Name(name).AppendTo(teams);
    std::vector<std::uint8_t> roster;
    // 2 teams, 7 records: blocks of 301 bytes, 3 slots each, record 6 beyond them.
    for (int i = 0; i < 7; ++i)
        leaguegen::PlayerBuilder().Name("Player " + std::to_string(i)).AppendTo(roster);

    const TempDir dir;
    LeagueData league;
    ASSERT_TRUE(league.ReadTeamImage(dir.Write("big.tms", teams)));
    ASSERT_TRUE(league.ReadRosterImage(dir.Write("big.ros", roster)));
    ASSERT_EQ(league.ComputeGeometry(), GeometryResult::kOk);
    ASSERT_EQ(league.PlayersPerTeam, 3);
    ASSERT_EQ(league.TeamStride, 301);
    ASSERT_EQ(league.PlayerCount(), 7);

    const PlayerFilter all(SearchCriteria{}, league.TeamStride);
    EXPECT_EQ(SearchRoster(all, *league.RosterFileImage, league.PlayerCount()),
              (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5, 6}));
    // By byte range, record 6 (bytes 516..601) lies in the last block.
    SearchCriteria second;
    second.teamIndex = 1;
    EXPECT_EQ(SearchRoster(PlayerFilter(second, league.TeamStride), *league.RosterFileImage,
                           league.PlayerCount()),
              (std::vector<std::int32_t>{4, 5, 6}));
    // By the index rule it belongs to team 2, which does not exist.
    EXPECT_NE(league.PlayerAt(6), nullptr);
    EXPECT_EQ(league.TeamAt(6 / league.PlayersPerTeam), nullptr);
    EXPECT_NE(league.TeamAt(5 / league.PlayersPerTeam), nullptr);
}

}  // namespace
}  // namespace vantrel
