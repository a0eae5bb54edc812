#pragma once

// The two steps of matching seasons by name: an index of the earlier season's named
// players by the bytes of their trimmed names, and the pairing of one name's players
// when the name is shared in either season.

#include "core/league/largepages.h"
#include "core/league/leaguedata.h"

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace vantrel {

// The earlier players of each name, one chain a name. Read-only once made, so any number
// of threads may look names up at once.
class NameIndex {
  public:
    NameIndex(const SharedImage& earlier, std::int32_t earlierCount);

    // For `count` records from `first` (whole records side by side) the first earlier
    // player of each one's name into heads[0, count): an earlier record index, kNewPlayer
    // when nobody had the name, kNoPlayer for an empty slot.
    void HeadsOf(const std::uint8_t* first, std::int64_t count, std::int32_t* heads) const;
    // The next earlier player of the same name after `earlier`, or -1.
    std::int32_t NextOf(std::int32_t earlier) const { return next_[std::size_t(earlier)]; }
    // Every earlier player of the name whose chain starts at `head`.
    std::vector<std::int32_t> Group(std::int32_t head) const;

  private:
    struct Batch;
    void Prepare(const std::uint8_t* first, std::int64_t count, Batch& batch) const;
    std::size_t HomeOf(std::uint32_t key) const;
    std::string_view NameOf(std::int32_t earlier) const;
    std::size_t SlotOf(std::string_view name, std::uint32_t key) const;

    const std::uint8_t* records_;
    // Heads of chains by a name's key, open addressing, in parts of partSize_; -1 empty.
    LargeVector<std::int32_t> slots_;
    LargeVector<std::int32_t> next_;
    std::size_t partSize_ = 0;
    std::size_t partMask_ = 0;
};

// The pairs of one name: for each current player, its earlier record index or
// kAmbiguousPlayer. A player prefers the other season's players of the same position,
// then among those the ones whose age fits (now = then or then + 1); a pair stands when
// each is the other's only preferred player.
std::vector<std::pair<std::int32_t, std::int32_t>> PairsInGroup(
    const SharedImage& current, const std::vector<std::int32_t>& currents,
    const SharedImage& earlier, const std::vector<std::int32_t>& earliers);

}  // namespace vantrel
