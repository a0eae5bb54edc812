#include "core/season/namegroups.h"

#include "core/league/corestretches.h"
#include "core/league/records.h"
#include "core/order/prefetch.h"
#include "core/season/seasonmatch.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <numeric>
#include <unordered_map>

namespace vantrel {

namespace {

std::string_view NameField(const std::uint8_t* record) {
    return ExtractTextView(record + player::kName, kPlayerNameWidth);
}

// The age as the list shows it, signed.
int AgeOf(const PlayerRecord& player) {
    return player.AgeSigned();
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

// A player of a name group as the pairing sees him.
struct Member {
    int position;
    int age;
    std::int32_t index;
};

// The players of one season within a name group. A player of the other season asks for
// his single preferred one: a scan in a small group, tallies by position and age in a
// large one, so that a name shared by thousands costs no more than a scan each.
class GroupSide {
  public:
    GroupSide(const SharedImage& image, const std::vector<std::int32_t>& indices) {
        for (const std::int32_t index : indices) {
            const PlayerRecord player(image->data.get() + std::int64_t(index) * kPlayerRecordSize);
            members_.push_back({player.Position(), AgeOf(player), index});
        }
        if (members_.size() > kScanned) {
            for (const Member& m : members_) {
                all_.Add(m.index);
                byPosition_[m.position].Add(m.index);
                byAge_[m.age].Add(m.index);
                byPositionAge_[Key(m.position, m.age)].Add(m.index);
            }
        }
    }

    // The single preferred player for one of this position whose fitting ages are `age`
    // and `otherAge`, or -1.
    std::int32_t PreferredFor(int position, int age, int otherAge) const {
        const Tally chosen = members_.size() > kScanned ? FromTallies(position, age, otherAge)
                                                        : FromScan(position, age, otherAge);
        return chosen.count == 1 ? chosen.some : -1;
    }

  private:
    static constexpr std::size_t kScanned = 32;
    using Tallies = std::unordered_map<int, Tally>;
    static int Key(int position, int age) { return position * 1024 + age; }
    static Tally Find(const Tallies& tallies, int key) {
        const auto found = tallies.find(key);
        return found == tallies.end() ? Tally{} : found->second;
    }
    // Same position first, then among those a fitting age; each only where it leaves somebody.
    static Tally Chosen(Tally samePosition, Tally samePositionFits, Tally fits, Tally all) {
        if (samePosition.count > 0)
            return samePositionFits.count > 0 ? samePositionFits : samePosition;
        return fits.count > 0 ? fits : all;
    }
    Tally FromScan(int position, int age, int otherAge) const {
        Tally samePosition, samePositionFits, fits, all;
        for (const Member& m : members_) {
            const bool fit = m.age == age || m.age == otherAge;
            all.Add(m.index);
            if (fit)
                fits.Add(m.index);
            if (m.position == position)
                samePosition.Add(m.index);
            if (m.position == position && fit)
                samePositionFits.Add(m.index);
        }
        return Chosen(samePosition, samePositionFits, fits, all);
    }
    Tally FromTallies(int position, int age, int otherAge) const {
        return Chosen(Find(byPosition_, position),
                      Find(byPositionAge_, Key(position, age)) +
                          Find(byPositionAge_, Key(position, otherAge)),
                      Find(byAge_, age) + Find(byAge_, otherAge), all_);
    }

    std::vector<Member> members_;
    Tally all_;
    Tallies byPosition_, byAge_, byPositionAge_;
};

PlayerRecord RecordOf(const SharedImage& image, std::int32_t index) {
    return PlayerRecord(image->data.get() + std::int64_t(index) * kPlayerRecordSize);
}

}  // namespace

namespace {

// A key for every empty slot; no name gets it.
constexpr std::uint32_t kNoName = 0xFFFFFFFF;

// A name's place in the index: its part (built by one core) in the top 6 bits, its home
// slot within the part in the low 26.
std::uint32_t KeyOf(std::string_view name) {
    const std::size_t hash = HashOf(name);
    const auto key = static_cast<std::uint32_t>((hash & 0x3FFFFFF) | ((hash >> 58) << 26));
    return key == kNoName ? key - 1 : key;
}

}  // namespace

// Names and keys of a few records at a time: the cache lines their slots need are asked
// for before the first slot is read, so that the misses overlap.
struct NameIndex::Batch {
    static constexpr int kSize = 16;
    std::array<std::string_view, kSize> names;
    std::array<std::uint32_t, kSize> keys;
    int count = 0;
};

void NameIndex::Prepare(const std::uint8_t* first, std::int64_t count, Batch& batch) const {
    batch.count = static_cast<int>(std::min<std::int64_t>(count, Batch::kSize));
    for (int i = 0; i < batch.count; ++i) {
        const std::uint8_t* record = first + std::int64_t(i) * kPlayerRecordSize;
        batch.keys[i] = kNoName;
        if (!IsNamedPlayer(record))
            continue;
        batch.names[i] = NameField(record);
        batch.keys[i] = KeyOf(batch.names[i]);
        Prefetch(&slots_[HomeOf(batch.keys[i])]);
    }
    // The player in each home slot is the one whose name is compared first.
    for (int i = 0; i < batch.count; ++i) {
        const std::int32_t home = batch.keys[i] != kNoName ? slots_[HomeOf(batch.keys[i])] : -1;
        if (home >= 0)
            Prefetch(records_ + std::int64_t(home) * kPlayerRecordSize);
    }
}

// Each part of the table is filled by a thread of its own, from keys made on every core.
NameIndex::NameIndex(const SharedImage& earlier, std::int32_t earlierCount)
    : records_(earlier ? earlier->data.get() : nullptr),
      next_(static_cast<std::size_t>(earlierCount), -1) {
    const std::size_t parts = std::bit_floor(StretchBounds(earlierCount).size() - 1);
    partMask_ = std::min<std::size_t>(parts, 64) - 1;
    // A table at least a third empty keeps probe runs short.
    partSize_ = std::bit_ceil(std::max<std::size_t>(16, std::size_t(earlierCount) * 3 / 2 / parts));
    slots_.assign(partSize_ * (partMask_ + 1), -1);
    LargeVector<std::uint32_t> keys(static_cast<std::size_t>(earlierCount));
    WorkInParts(earlierCount, [&](std::int64_t begin, std::int64_t end) {
        for (auto e = static_cast<std::int32_t>(begin); e < end; ++e)
            keys[std::size_t(e)] = IsNamedPlayer(records_ + std::int64_t(e) * kPlayerRecordSize)
                                       ? KeyOf(NameOf(e))
                                       : kNoName;
    });
    std::vector<std::int64_t> partBounds(partMask_ + 2);
    std::iota(partBounds.begin(), partBounds.end(), 0);
    InEachStretch(partBounds, [&](std::size_t part, std::int64_t, std::int64_t) {
        for (std::int32_t e = 0; e < earlierCount; ++e) {
            const std::uint32_t key = keys[std::size_t(e)];
            if (key == kNoName || ((key >> 26) & partMask_) != part)
                continue;
            std::int32_t& slot = slots_[SlotOf(NameOf(e), key)];
            next_[std::size_t(e)] = slot;
            slot = e;
        }
    });
}

std::size_t NameIndex::HomeOf(std::uint32_t key) const {
    return ((key >> 26) & partMask_) * partSize_ + (key & (partSize_ - 1));
}

std::string_view NameIndex::NameOf(std::int32_t earlier) const {
    return NameField(records_ + std::int64_t(earlier) * kPlayerRecordSize);
}

// The slot of the name's chain, or the empty slot where it would start; probes stay in
// the name's part.
std::size_t NameIndex::SlotOf(std::string_view name, std::uint32_t key) const {
    const std::size_t home = HomeOf(key);
    const std::size_t base = home - (home & (partSize_ - 1));
    std::size_t slot = home;
    while (slots_[slot] >= 0 && NameOf(slots_[slot]) != name)
        slot = base + ((slot + 1) & (partSize_ - 1));
    return slot;
}

void NameIndex::HeadsOf(const std::uint8_t* first, std::int64_t count, std::int32_t* heads) const {
    Batch batch;
    for (std::int64_t base = 0; base < count; base += Batch::kSize) {
        Prepare(first + base * kPlayerRecordSize, count - base, batch);
        for (int i = 0; i < batch.count; ++i) {
            const bool named = batch.keys[i] != kNoName;
            const std::int32_t head =
                named ? slots_[SlotOf(batch.names[i], batch.keys[i])] : kNoPlayer;
            heads[base + i] = named && head < 0 ? kNewPlayer : head;
        }
    }
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
    const GroupSide now(current, currents), then(earlier, earliers);
    std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
    pairs.reserve(currents.size());
    for (const std::int32_t c : currents) {
        const PlayerRecord player = RecordOf(current, c);
        // Now a year older or the same: the earlier age is this one or one less.
        const std::int32_t e =
            then.PreferredFor(player.Position(), AgeOf(player), AgeOf(player) - 1);
        bool mutual = false;
        if (e >= 0) {
            const PlayerRecord was = RecordOf(earlier, e);
            mutual = now.PreferredFor(was.Position(), AgeOf(was), AgeOf(was) + 1) == c;
        }
        pairs.emplace_back(c, mutual ? e : kAmbiguousPlayer);
    }
    return pairs;
}

}  // namespace vantrel
