#include "core/order/resultcolumns.h"

#include "core/eval/overall.h"
#include "core/eval/vocabulary.h"
#include "core/league/records.h"

namespace vantrel {

std::int64_t NumberCell(const std::uint8_t* record, int column) {
    const PlayerRecord player(record);
    if (column == kAgeColumn)
        return player.AgeSigned();
    if (column >= kFirstRatingColumn && column < kOverallColumn)
        return player.Rating(column - kFirstRatingColumn);
    if (column == kOverallColumn)
        return static_cast<std::int32_t>(OverallExact(record));
    if (column == kSalaryColumn)
        return player.Salary();
    return player.Contract();
}

std::string_view TextCell(const std::uint8_t* record, int column) {
    if (column == kNameColumn)
        return ExtractTextView(record, kPlayerNameWidth);
    return PositionAbbrev(record);
}

std::string CellBytes(const std::uint8_t* record, int column) {
    if (!record || column < 0 || column >= kResultColumnCount)
        return {};
    if (IsTextColumn(column))
        return std::string(TextCell(record, column));
    return std::to_string(NumberCell(record, column));
}

}  // namespace vantrel
