#include "core/eval/vocabulary.h"

#include "core/eval/cp1252.h"
#include "core/eval/numbertext.h"
#include "core/league/records.h"

#include <array>
#include <iterator>
#include <utility>

namespace vantrel {

std::string_view PositionAbbrev(const std::uint8_t* record) {
    if (!record)
        return {};
    switch (PlayerRecord(record).Position()) {
        case 0:
            return "C";
        case 1:
            return "LW";
        case 2:
            return "RW";
        case 3:
            return "D";
        case 4:
            return "G";
        default:
            return {};
    }
}

std::string AgeText(const std::uint8_t* record) {
    if (!record)
        return {};
    return WholeText(PlayerRecord(record).AgeSigned());
}

std::string_view RatingAbbrev(int index) {
    constexpr std::string_view kAbbrevs[] = {"IT", "SP", "ST", "EN", "DU", "DI", "SK",
                                             "PA", "PC", "DF", "SC", "EX", "LD", "OV"};
    if (index < 0 || index >= static_cast<int>(std::size(kAbbrevs)))
        return {};
    return kAbbrevs[index];
}

std::string PositionName(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kNames = {{
        {"C", "Center"},
        {"G", "Goalie"},
        {"LW", "Left Wing"},
        {"RW", "Right Wing"},
        {"D", "Defender"},
    }};
    for (const auto& [abbrev, name] : kNames) {
        if (Cp1252EqualsIgnoreCase(text, abbrev))
            return std::string(name);
    }
    return std::string(text);
}

std::optional<std::string_view> HandText(std::uint8_t hand) {
    switch (hand) {
        case 0:
            return "Left-Handed";
        case 1:
            return "Right-Handed";
        default:
            return std::nullopt;
    }
}

std::optional<std::string_view> StatusText(std::uint8_t status) {
    switch (status) {
        case 0:
            return "Veteran";
        case 255:
            return "Rookie";
        default:
            return std::nullopt;
    }
}

std::string_view AssignmentText(std::uint8_t assignment) {
    switch (assignment) {
        case 0:
            return "Farm";
        case 200:
            return "Pro";
        default:
            return "Scratch";  // 100, the injured pros 201..206 and every other value
    }
}

std::string_view InjuryText(std::uint8_t assignment) {
    switch (assignment) {
        case 201:
            return "day by day";
        case 202:
            return "1-2 weeks";
        case 203:
            return "3-4 weeks";
        case 204:
            return "1-2 month";
        case 205:
            return "3-4 month";
        case 206:
            return "indefinately";
        default:
            return "Healthy";
    }
}

}  // namespace vantrel
