#pragma once

// The two steps of matching seasons by name: an index of the earlier season's named
// players by the bytes of their trimmed names, and the pairing of one name's players
// when the name is shared in either season.

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

    // The first earlier player of the record's name: an earlier record index, kNewPlayer
    // when nobody had the name, kNoPlayer when the record is an empty slot.
    std::int32_t HeadOf(const std::uint8_t* record) const;
    // The next earlier player of the same name after `earlier`, or -1.
    std::int32_t NextOf(std::int32_t earlier) const { return next_[std::size_t(earlier)]; }
    // Every earlier player of the name whose chain starts at `head`.
    std::vector<std::int32_t> Group(std::int32_t head) const;

  private:
    std::string_view NameOf(std::int32_t earlier) const;
    std::size_t SlotOf(std::string_view name) const;

    const std::uint8_t* records_;
    std::vector<std::int32_t> slots_;  // heads of chains by hash, open addressing; -1 empty
    std::vector<std::int32_t> next_;
    std::size_t mask_ = 0;
};

// The pairs of one name: for each current player, its earlier record index or
// kAmbiguousPlayer. A player prefers the other season's players of the same position,
// then among those the ones whose age fits (now = then or then + 1); a pair stands when
// each is the other's only preferred player.
std::vector<std::pair<std::int32_t, std::int32_t>> PairsInGroup(
    const SharedImage& current, const std::vector<std::int32_t>& currents,
    const SharedImage& earlier, const std::vector<std::int32_t>& earliers);

}  // namespace vantrel
