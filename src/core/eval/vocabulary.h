#pragma once

// The display texts of the coded bytes of a player record. A record is
// the address of an 86-byte PlayerRecord; nullptr stands for "no record".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// "C", "LW", "RW", "D", "G" for Position 0..4; the empty text otherwise and for nullptr.
std::string_view PositionAbbrev(const std::uint8_t* record);

// The Age byte as a signed 8-bit number ("-128" .. "127"); the empty text for nullptr.
std::string AgeText(const std::uint8_t* record);

// The caption of a rating by RatingIndex: "IT" .. "LD", "OV" for 13; "" outside.
std::string_view RatingAbbrev(int index);

// The long name of a position abbreviation, compared without regard to case against
// "C", "G", "LW", "RW", "D" in this order; any other text comes back unchanged.
std::string PositionName(std::string_view text);

// nullopt means "no text": the caller leaves its label unchanged (not the empty text).
std::optional<std::string_view> HandText(std::uint8_t hand);
std::optional<std::string_view> StatusText(std::uint8_t status);

// Team and injury texts of the Assignment byte; "Scratch" and "Healthy" for values not
// listed. The spellings "indefinately" and "1-2 month" are the system's own.
std::string_view AssignmentText(std::uint8_t assignment);
std::string_view InjuryText(std::uint8_t assignment);

}  // namespace vantrel
