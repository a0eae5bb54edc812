#pragma once

// Byte layouts of the two league files. Both files are headerless sequences of
// fixed-size records; every multi-byte integer is little-endian. Records are read in
// place: a record is the address of its first byte inside a loaded file image.

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

inline constexpr int kTeamRecordSize = 254;
inline constexpr int kPlayerRecordSize = 86;

inline constexpr int kTeamNameWidth = 10;
inline constexpr int kPlayerNameWidth = 21;
inline constexpr int kShortCodeWidth = 3;

// Stored ratings IT..LD; index 13 (OV) is computed, never stored.
inline constexpr int kStoredRatingCount = 13;
inline constexpr int kRatingCriteriaCount = 14;
inline constexpr int kOverallIndex = 13;

// Offsets inside a player record.
namespace player {
inline constexpr int kName = 0;
inline constexpr int kPosition = 22;
inline constexpr int kNumber = 23;
inline constexpr int kStatus = 24;
inline constexpr int kHand = 26;
inline constexpr int kHeight = 27;
inline constexpr int kWeight = 28;
inline constexpr int kAge = 29;
inline constexpr int kAssignment = 30;
inline constexpr int kCondition = 31;
inline constexpr int kRatings = 32;
inline constexpr int kSalary = 46;
inline constexpr int kContract = 50;
inline constexpr int kGamesPlayed = 52;
inline constexpr int kGoalsOrPim = 53;
inline constexpr int kAssists = 54;
inline constexpr int kPlusMinus = 55;
inline constexpr int kPimOrGoalsAgainst = 57;
inline constexpr int kShots = 59;
inline constexpr int kPowerPlayGoalsOrShutouts = 61;
inline constexpr int kShortHandedGoalsOrWins = 62;
inline constexpr int kGameWinningGoalsOrLosses = 63;
inline constexpr int kGameTyingGoalsOrTies = 64;
inline constexpr int kShortCode = 76;
}  // namespace player

// Rating positions (RatingIndex) used by name in the code.
enum RatingIndex : int { kIT = 0, kSP, kST, kEN, kDU, kDI, kSK, kPA, kPC, kDF, kSC, kEX, kLD, kOV };

inline std::uint16_t ReadU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::int32_t ReadI32(const std::uint8_t* p) {
    const std::uint32_t u =
        static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
        (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    return static_cast<std::int32_t>(u);  // two's complement, well defined since C++20
}

// A player record read in place; the accessors decode one field each.
class PlayerRecord {
  public:
    explicit PlayerRecord(const std::uint8_t* bytes) : b_(bytes) {}

    const std::uint8_t* Bytes() const { return b_; }
    const std::uint8_t* NameField() const { return b_ + player::kName; }
    const std::uint8_t* ShortCodeField() const { return b_ + player::kShortCode; }
    const std::uint8_t* Ratings() const { return b_ + player::kRatings; }

    std::uint8_t Position() const { return b_[player::kPosition]; }
    std::uint8_t Number() const { return b_[player::kNumber]; }
    std::uint8_t Status() const { return b_[player::kStatus]; }
    std::uint8_t Hand() const { return b_[player::kHand]; }
    std::uint8_t Height() const { return b_[player::kHeight]; }
    std::uint8_t Weight() const { return b_[player::kWeight]; }
    // The result list and the age filter read the age signed, the details page unsigned.
    std::int8_t AgeSigned() const { return static_cast<std::int8_t>(b_[player::kAge]); }
    std::uint8_t AgeUnsigned() const { return b_[player::kAge]; }
    std::uint8_t Assignment() const { return b_[player::kAssignment]; }
    std::uint8_t Condition() const { return b_[player::kCondition]; }
    std::uint8_t Rating(int index) const { return b_[player::kRatings + index]; }
    std::int32_t Salary() const { return ReadI32(b_ + player::kSalary); }
    std::uint8_t Contract() const { return b_[player::kContract]; }
    std::uint8_t GamesPlayed() const { return b_[player::kGamesPlayed]; }
    std::uint8_t GoalsOrPim() const { return b_[player::kGoalsOrPim]; }
    std::uint8_t Assists() const { return b_[player::kAssists]; }
    std::uint8_t PlusMinus() const { return b_[player::kPlusMinus]; }
    std::uint16_t PimOrGoalsAgainst() const { return ReadU16(b_ + player::kPimOrGoalsAgainst); }
    std::uint16_t Shots() const { return ReadU16(b_ + player::kShots); }
    std::uint8_t PowerPlayGoalsOrShutouts() const { return b_[player::kPowerPlayGoalsOrShutouts]; }
    std::uint8_t ShortHandedGoalsOrWins() const { return b_[player::kShortHandedGoalsOrWins]; }
    std::uint8_t GameWinningGoalsOrLosses() const { return b_[player::kGameWinningGoalsOrLosses]; }
    std::uint8_t GameTyingGoalsOrTies() const { return b_[player::kGameTyingGoalsOrTies]; }

  private:
    const std::uint8_t* b_;
};

// The text of a fixed-width field: up to the first zero byte (or the whole field), with
// codes 1..32 trimmed at both ends. Codes 127..255 are text and never trimmed. The view
// points into the field itself, so no copy is made.
std::string_view ExtractTextView(const std::uint8_t* field, int width);

// The same text as an owned string of Windows-1252 bytes.
std::string ExtractText(const std::uint8_t* field, int width);

// A team record read in place. A first byte of 0 marks a team without a name.
class TeamRecord {
  public:
    explicit TeamRecord(const std::uint8_t* bytes) : b_(bytes) {}
    std::uint8_t FirstByte() const { return b_[0]; }
    std::string_view Name() const { return ExtractTextView(b_, kTeamNameWidth); }

  private:
    const std::uint8_t* b_;
};

// An empty roster slot is a player whose trimmed name has fewer than 2 characters.
inline bool IsNamedPlayer(const std::uint8_t* record) {
    // Two leading bytes above the space both survive the trim: the usual name, decided
    // without a scan. A leading NUL is the usual empty slot.
    const std::uint8_t* name = record + player::kName;
    if (name[0] > ' ' && name[1] > ' ')
        return true;
    if (name[0] == 0)
        return false;
    return ExtractTextView(name, kPlayerNameWidth).size() >= 2;
}

}  // namespace vantrel
