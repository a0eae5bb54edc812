#include "core/league/leaguedata.h"

#include "core/league/records.h"

#include <fstream>
#include <limits>
#include <new>
#include <system_error>

namespace vantrel {

SharedImage ReadFileImage(const std::filesystem::path& path) {
    std::error_code ec;
    // Only regular files: a FIFO would block and a device such as /dev/zero never ends.
    if (!std::filesystem::is_regular_file(path, ec) || ec)
        return nullptr;

    std::ifstream in(path, std::ios::binary);
    if (!in)
        return nullptr;
    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    // The sizes are signed 32-bit: a larger file cannot be described, so it is not read.
    if (end <= 0 || end > std::numeric_limits<std::int32_t>::max())
        return nullptr;
    in.seekg(0, std::ios::beg);
    if (!in)
        return nullptr;

    const auto size = static_cast<std::size_t>(end);
    std::shared_ptr<ByteImage> image;
    try {
        image = std::make_shared<ByteImage>();
        image->data = std::make_unique_for_overwrite<std::uint8_t[]>(size);
    } catch (const std::bad_alloc&) {
        return nullptr;  // no memory for the image: a failed read of this file, like any other
    }
    image->size = size;
    in.read(reinterpret_cast<char*>(image->data.get()), static_cast<std::streamsize>(size));
    // A file that shrank after its size was taken is a failed read.
    if (static_cast<std::size_t>(in.gcount()) != size)
        return nullptr;
    return image;
}

std::int32_t LeagueData::PlayerCount() const {
    return RosterFileSize / kPlayerRecordSize;
}

void LeagueData::ReleaseTeamImage() {
    TeamFileImage.reset();
    TeamStride = PlayersPerTeam = TeamCount = 0;
}

void LeagueData::ReleaseRosterImage() {
    RosterFileImage.reset();
    TeamStride = PlayersPerTeam = TeamCount = 0;
}

namespace {

// Reads a file into an image slot; the recorded size changes only when the read succeeds.
bool ReadInto(const std::filesystem::path& path, SharedImage& image, std::int32_t& size) {
    SharedImage read = ReadFileImage(path);
    if (!read)
        return false;
    image = std::move(read);
    size = static_cast<std::int32_t>(image->size);
    return true;
}

}  // namespace

bool LeagueData::ReadTeamImage(const std::filesystem::path& path) {
    ReleaseTeamImage();
    return ReadInto(path, TeamFileImage, TeamFileSize);
}

bool LeagueData::ReadRosterImage(const std::filesystem::path& path) {
    ReleaseRosterImage();
    return ReadInto(path, RosterFileImage, RosterFileSize);
}

GeometryResult LeagueData::ComputeGeometry() {
    TeamCount = TeamFileSize / kTeamRecordSize;
    if (TeamCount == 0) {  // the division by zero that follows counts as a failure
        PlayersPerTeam = 0;
        return GeometryResult::kFailed;
    }
    TeamStride = RosterFileSize / TeamCount;
    PlayersPerTeam = TeamStride / kPlayerRecordSize;
    if (PlayersPerTeam <= 0) {
        PlayersPerTeam = 0;
        return GeometryResult::kFailed;
    }
    return GeometryResult::kOk;
}

const std::uint8_t* RecordInImage(const ByteImage* image, std::int64_t recordIndex,
                                  int recordSize) {
    if (!image || recordIndex < 0)
        return nullptr;
    const auto count =
        static_cast<std::int64_t>(image->size / static_cast<std::size_t>(recordSize));
    if (recordIndex >= count)
        return nullptr;
    return image->data.get() + recordIndex * recordSize;
}

const std::uint8_t* LeagueData::PlayerAt(std::int64_t recordIndex) const {
    return RecordInImage(RosterFileImage.get(), recordIndex, kPlayerRecordSize);
}

const std::uint8_t* LeagueData::TeamAt(std::int64_t teamIndex) const {
    if (teamIndex >= TeamCount)
        return nullptr;
    return RecordInImage(TeamFileImage.get(), teamIndex, kTeamRecordSize);
}

}  // namespace vantrel
