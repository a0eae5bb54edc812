#include "core/season/namegroups.h"

#include "core/league/records.h"
#include "core/season/seasonmatch.h"

#include <bit>
#include <functional>
#include <unordered_map>

namespace vantrel {

namespace {

std::string_view NameField(const std::uint8_t* record) {
    return ExtractTextView(record + player::kName, kPlayerNameWidth);
}

std::size_t HashOf(std::string_view name) {
    return std::hash<std::string_view>{}(name);
}

// How many players a set holds, and one of them (the one, when there is one).
struct Tally {
    std::int64_t count = 0;
    std::int32_t some = -1;

    void Add(std::int32_t index) {
        ++count;
        some = index;
    }
    Tally operator+(const Tally& other) const {
        return {count + other.count, other.count > 0 ? other.some : some};
    }
};

// The players of one season within a name group, tallied by position and age, so that a
// player of the other season finds its preferred set's size without a scan.
class GroupTally {
  public:
    GroupTally(const SharedImage& image, const std::vector<std::int32_t>& members) {
        for (const std::int32_t index : members) {
            const PlayerRecord player(image->data.get() + std::int64_t(index) * kPlayerRecordSize);
            const int position = player.Position(), age = player.AgeSigned();
            all_.Add(index);
            byPosition_[position].Add(index);
            byAge_[age].Add(index);
            byPositionAge_[Key(position, age)].Add(index);
        }
    }

    // The single preferred player for one of the position and age given, or -1. The ages
    // that fit are `age` and `otherAge`.
    std::int32_t PreferredFor(int position, int age, int otherAge) const {
        Tally chosen;
        if (Find(byPosition_, position).count > 0) {
            chosen = Find(byPositionAge_, Key(position, age)) +
                     Find(byPositionAge_, Key(position, otherAge));
            if (chosen.count == 0)
                chosen = Find(byPosition_, position);
        } else {
            chosen = Find(byAge_, age) + Find(byAge_, otherAge);
            if (chosen.count == 0)
                chosen = all_;
        }
        return chosen.count == 1 ? chosen.some : -1;
    }

  private:
    using Tallies = std::unordered_map<int, Tally>;
    static int Key(int position, int age) { return position * 1024 + age; }
    static Tally Find(const Tallies& tallies, int key) {
        const auto found = tallies.find(key);
        return found == tallies.end() ? Tally{} : found->second;
    }

    Tally all_;
    Tallies byPosition_, byAge_, byPositionAge_;
};

PlayerRecord RecordOf(const SharedImage& image, std::int32_t index) {
    return PlayerRecord(image->data.get() + std::int64_t(index) * kPlayerRecordSize);
}

}  // namespace

NameIndex::NameIndex(const SharedImage& earlier, std::int32_t earlierCount)
    : records_(earlier ? earlier->data.get() : nullptr),
      next_(static_cast<std::size_t>(earlierCount), -1) {
    // A table at least a third empty keeps probe runs short.
    mask_ = std::bit_ceil(std::max<std::size_t>(16, std::size_t(earlierCount) * 3 / 2)) - 1;
    slots_.assign(mask_ + 1, -1);
    for (std::int32_t e = 0; e < earlierCount; ++e) {
        if (!IsNamedPlayer(records_ + std::int64_t(e) * kPlayerRecordSize))
            continue;
        const std::string_view name = NameOf(e);
        std::int32_t& slot = slots_[SlotOf(name)];
        next_[std::size_t(e)] = slot;
        slot = e;
    }
}

std::string_view NameIndex::NameOf(std::int32_t earlier) const {
    return NameField(records_ + std::int64_t(earlier) * kPlayerRecordSize);
}

// The slot of the name's chain, or the empty slot where it would start.
std::size_t NameIndex::SlotOf(std::string_view name) const {
    std::size_t slot = HashOf(name) & mask_;
    while (slots_[slot] >= 0 && NameOf(slots_[slot]) != name)
        slot = (slot + 1) & mask_;
    return slot;
}

std::int32_t NameIndex::HeadOf(const std::uint8_t* record) const {
    if (!IsNamedPlayer(record))
        return kNoPlayer;
    const std::int32_t head = slots_[SlotOf(NameField(record))];
    return head >= 0 ? head : kNewPlayer;
}

std::vector<std::int32_t> NameIndex::Group(std::int32_t head) const {
    std::vector<std::int32_t> group;
    for (std::int32_t e = head; e >= 0; e = NextOf(e))
        group.push_back(e);
    return group;
}

std::vector<std::pair<std::int32_t, std::int32_t>> PairsInGroup(
    const SharedImage& current, const std::vector<std::int32_t>& currents,
    const SharedImage& earlier, const std::vector<std::int32_t>& earliers) {
    const GroupTally now(current, currents), then(earlier, earliers);
    std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
    pairs.reserve(currents.size());
    for (const std::int32_t c : currents) {
        const PlayerRecord player = RecordOf(current, c);
        // Now a year older or the same: the earlier age is this one or one less.
        const std::int32_t e =
            then.PreferredFor(player.Position(), player.AgeSigned(), player.AgeSigned() - 1);
        bool mutual = false;
        if (e >= 0) {
            const PlayerRecord was = RecordOf(earlier, e);
            mutual = now.PreferredFor(was.Position(), was.AgeSigned(), was.AgeSigned() + 1) == c;
        }
        pairs.emplace_back(c, mutual ? e : kAmbiguousPlayer);
    }
    return pairs;
}

}  // namespace vantrel
