#include "core/league/leaguedata.h"

#include "core/league/corestretches.h"
#include "core/league/records.h"

#include <fstream>
#include <limits>
#include <new>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#define VANTREL_POSIX_READ 1
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#define VANTREL_POSIX_READ 0
#endif

namespace vantrel {

namespace {

// Room for an image of `size` bytes: the spare's when nobody else holds it and the file
// fills at least half of it, else fresh memory (the spare freed first).
std::shared_ptr<ByteImage> ImageOfSize(std::size_t size, SharedImage spare) {
    auto image = std::make_shared<ByteImage>();
    if (spare && spare.use_count() == 1 && size <= spare->size && size >= spare->size / 2) {
        // Nobody else holds the spare (made as a ByteImage that can change), so its buffer
        // can move; the new image is another object, so a weak_ptr to the old one expires.
        image->data = std::move(std::const_pointer_cast<ByteImage>(spare)->data);
    } else {
        spare.reset();
        image->data = std::make_unique_for_overwrite<std::uint8_t[]>(size);
    }
    image->size = size;
    return image;
}

#if VANTREL_POSIX_READ

// Bytes [begin, end) of the file into the same places of `into`; false when the file
// ends first or cannot be read.
bool ReadStretch(int fd, std::uint8_t* into, std::int64_t begin, std::int64_t end) {
    while (begin < end) {
        const ssize_t got = ::pread(fd, into + begin, static_cast<std::size_t>(end - begin),
                                    static_cast<off_t>(begin));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        begin += got;
    }
    return true;
}

struct ReadPart {
    bool whole = true;
    void Add(const ReadPart& other) { whole = whole && other.whole; }
};

// A file opened read-only, closed when it goes: its size from the open file, and its
// bytes a stretch per core (the kernel's copy is most of a load).
class OpenFile {
  public:
    explicit OpenFile(const std::filesystem::path& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~OpenFile() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    // The size of a regular file, -1 for anything else.
    std::int64_t Size() const {
        struct stat status {};
        if (fd_ < 0 || ::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode))
            return -1;
        return static_cast<std::int64_t>(status.st_size);
    }

    bool Read(std::uint8_t* into, std::size_t size) const {
        const ReadPart read = CountInParts<ReadPart>(
            static_cast<std::int64_t>(size), 1, [&](std::int64_t begin, std::int64_t end) {
                return ReadPart{ReadStretch(fd_, into, begin, end)};
            });
        return read.whole;
    }

  private:
    int fd_;
};

#else

// A file opened read-only as a stream, closed when it goes.
class OpenFile {
  public:
    explicit OpenFile(const std::filesystem::path& path) : in_(path, std::ios::binary) {}

    // The size of the file, -1 when it cannot be told.
    std::int64_t Size() {
        in_.seekg(0, std::ios::end);
        const std::streamoff end = in_.tellg();
        in_.seekg(0, std::ios::beg);
        return in_ ? static_cast<std::int64_t>(end) : -1;
    }

    bool Read(std::uint8_t* into, std::size_t size) {
        in_.read(reinterpret_cast<char*>(into), static_cast<std::streamsize>(size));
        return static_cast<std::size_t>(in_.gcount()) == size;
    }

  private:
    std::ifstream in_;
};

#endif

}  // namespace

SharedImage ReadFileImage(const std::filesystem::path& path, SharedImage spare) {
    std::error_code ec;
    // Only regular files: a FIFO would block and a device such as /dev/zero never ends.
    if (!std::filesystem::is_regular_file(path, ec) || ec)
        return nullptr;
    OpenFile file(path);
    const std::int64_t end = file.Size();
    // The sizes are signed 32-bit: a larger file cannot be described, so it is not read.
    if (end <= 0 || end > std::numeric_limits<std::int32_t>::max())
        return nullptr;
    const auto size = static_cast<std::size_t>(end);
    std::shared_ptr<ByteImage> image;
    try {
        image = ImageOfSize(size, std::move(spare));
    } catch (const std::bad_alloc&) {
        return nullptr;  // no memory for the image: a failed read of this file, like any other
    }
    // A file that shrank after its size was taken is a failed read.
    if (!file.Read(image->data.get(), size))
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
bool ReadInto(const std::filesystem::path& path, SharedImage& image, std::int32_t& size,
              SharedImage spare) {
    SharedImage read = ReadFileImage(path, std::move(spare));
    if (!read)
        return false;
    image = std::move(read);
    size = static_cast<std::int32_t>(image->size);
    return true;
}

}  // namespace

bool LeagueData::ReadTeamImage(const std::filesystem::path& path) {
    SharedImage spare = std::move(TeamFileImage);
    ReleaseTeamImage();
    return ReadInto(path, TeamFileImage, TeamFileSize, std::move(spare));
}

bool LeagueData::ReadRosterImage(const std::filesystem::path& path) {
    SharedImage spare = std::move(RosterFileImage);
    ReleaseRosterImage();
    return ReadInto(path, RosterFileImage, RosterFileSize, std::move(spare));
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

std::int64_t LeagueData::TeamOfRecord(std::int64_t recordIndex) const {
    return PlayersPerTeam > 0 ? recordIndex / PlayersPerTeam : -1;
}

}  // namespace vantrel
