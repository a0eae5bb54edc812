#pragma once

// The loaded league: both file images as read, their sizes and the geometry derived
// from the sizes. The images are shared so that result rows of an earlier search can
// keep showing their texts after another league replaced this one.

#include "core/league/records.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

namespace vantrel {

// A whole file read into memory; never changed after the read.
struct ByteImage {
    std::unique_ptr<std::uint8_t[]> data;
    std::size_t size = 0;
};
using SharedImage = std::shared_ptr<const ByteImage>;

// Reads the whole file at path into one buffer of its exact size. Only regular files
// of 1 .. 2147483647 bytes are read; anything else (missing, a directory, a FIFO, a
// device, an empty file, a file larger than the signed 32-bit sizes can describe, a
// file that shrank before the read) gives nullptr. The file is opened read-only and
// closed before the function returns. A spare image that nobody else holds lends its
// memory when the file fills at least half of it: its pages are the program's already,
// where fresh memory costs the system a page fault every 4 KiB. The spare is given up
// either way.
SharedImage ReadFileImage(const std::filesystem::path& path, SharedImage spare = nullptr);

// How the geometry step of a load ended.
enum class GeometryResult { kOk, kFailed };

struct LeagueData {
    SharedImage TeamFileImage;
    std::int32_t TeamFileSize = 0;  // last team file read successfully; kept on release
    std::int32_t TeamStride = 0;    // roster bytes per team block
    std::int32_t TeamCount = 0;
    std::int32_t PlayersPerTeam = 0;
    SharedImage RosterFileImage;
    std::int32_t RosterFileSize = 0;  // last roster file read successfully; kept on release

    // A league is loaded exactly when every team has at least one roster slot.
    bool IsLoaded() const { return PlayersPerTeam > 0; }
    std::int32_t PlayerCount() const;

    // Drop an image and the derived counts; the recorded file size stays.
    void ReleaseTeamImage();
    void ReleaseRosterImage();

    // Read a file whole into its image; on failure the image stays released and the
    // recorded size keeps its earlier value. The image read before lends its memory
    // when nothing else holds it (see ReadFileImage).
    bool ReadTeamImage(const std::filesystem::path& path);
    bool ReadRosterImage(const std::filesystem::path& path);

    // TeamCount, TeamStride and PlayersPerTeam from the two sizes. On failure
    // PlayersPerTeam is 0 and the counts computed before the failure stay.
    GeometryResult ComputeGeometry();

    // Bounds-checked record addresses in the current images; nullptr when the record
    // does not lie wholly inside its image.
    const std::uint8_t* PlayerAt(std::int64_t recordIndex) const;
    const std::uint8_t* TeamAt(std::int64_t teamIndex) const;
    // The team a record is shown with: record index / PlayersPerTeam, -1 while no league
    // is loaded. In a well-formed roster the same as TeamBlockOf; records after the last
    // whole team get an index past the team list here.
    std::int64_t TeamOfRecord(std::int64_t recordIndex) const;
};

// The team block a record's first byte lies in, in a roster of teamStride bytes a team (the
// team filter's rule); -1 without a stride.
inline std::int64_t TeamBlockOf(std::int64_t recordIndex, std::int32_t teamStride) {
    return teamStride > 0 ? recordIndex * kPlayerRecordSize / teamStride : -1;
}

// The player record at recordIndex of an image, or nullptr when outside it.
const std::uint8_t* RecordInImage(const ByteImage* image, std::int64_t recordIndex, int recordSize);

}  // namespace vantrel
