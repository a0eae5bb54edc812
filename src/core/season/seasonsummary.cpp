#include "core/season/seasonsummary.h"

#include "core/league/records.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace vantrel {

namespace {

bool OfPosition(const SharedImage& image, std::int32_t index, int position) {
    const std::uint8_t* record = RecordInImage(image.get(), index, kPlayerRecordSize);
    return record && (position == kAnyPosition || PlayerRecord(record).Position() == position);
}

std::string_view TeamName(const LeagueData& league, std::int64_t team) {
    const std::uint8_t* bytes = league.TeamAt(team);
    return bytes ? TeamRecord(bytes).Name() : std::string_view();
}

template <class T>
void Add(CappedList<T>& list, const T& entry, std::size_t limit) {
    if (list.shown.size() < limit)
        list.shown.push_back(entry);
    ++list.total;
}

}  // namespace

CappedList<std::int32_t> OverallMovers(const SeasonMatch& match, ChangeSide side, int position,
                                       std::size_t limit) {
    struct Mover {
        int change;  // rises and falls alike as a positive number
        std::int32_t record;
        bool operator<(const Mover& other) const {
            return change != other.change ? change > other.change : record < other.record;
        }
    };
    const int sign = side == ChangeSide::kRisers ? 1 : -1;
    std::vector<Mover> movers;
    for (std::int32_t c = 0; c < match.CurrentCount(); ++c) {
        const std::optional<int> change = match.OverallChange(c);
        if (change && *change * sign > 0 && OfPosition(match.Current(), c, position))
            movers.push_back({*change * sign, c});
    }
    const std::size_t shown = std::min(limit, movers.size());
    std::partial_sort(movers.begin(), movers.begin() + static_cast<std::ptrdiff_t>(shown),
                      movers.end());
    CappedList<std::int32_t> list;
    list.total = static_cast<std::int64_t>(movers.size());
    for (std::size_t i = 0; i < shown; ++i)
        list.shown.push_back(movers[i].record);
    return list;
}

CappedList<GonePlayer> GonePlayers(const SeasonMatch& match, const LeagueData& earlier,
                                   int position, std::size_t limit) {
    CappedList<GonePlayer> list;
    for (const std::int32_t e : match.GoneRecords()) {
        if (OfPosition(match.Earlier(), e, position))
            Add(list, GonePlayer{e, earlier.TeamOfRecord(e)}, limit);
    }
    return list;
}

CappedList<TeamChange> TeamChanges(const SeasonMatch& match, const LeagueData& current,
                                   const LeagueData& earlier, int position, std::size_t limit) {
    CappedList<TeamChange> list;
    for (std::int32_t c = 0; c < match.CurrentCount(); ++c) {
        const std::int32_t e = match.EarlierOf(c);
        if (e < 0 || !OfPosition(match.Current(), c, position))
            continue;
        const TeamChange change{c, current.TeamOfRecord(c), e, earlier.TeamOfRecord(e)};
        if (TeamName(current, change.currentTeam) != TeamName(earlier, change.earlierTeam))
            Add(list, change, limit);
    }
    return list;
}

}  // namespace vantrel
