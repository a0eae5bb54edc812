#pragma once

// The overall rating OV of a player: a weighted sum of the 13 stored
// ratings whose weights depend on the position, and the league average of it.

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace vantrel {

struct LeagueData;
class LeagueRanks;

// OV is defined bit for bit by extended-precision (x87 80-bit) weights, products and sums.
static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must be the 80-bit x87 extended format");

// OV as a double, bit-exact: weights nearest to 1/divisor in extended precision, each
// product and partial sum rounded to extended, terms added IT..LD, the constant last,
// one rounding to double. 0 for positions 5..255. record must not be nullptr.
double OverallExact(const std::uint8_t* record);

// OV as text with RealText: unrounded, or (truncate) its integer part. "" for nullptr.
std::string OverallRating(const std::uint8_t* record, bool truncate,
                          std::string_view decimalSeparator);

// OV cut to a whole number as the system does it: RealText of the unrounded OV, parsed
// back, truncated. 0 for nullptr. This is OV rounded to 15 significant digits and then
// truncated, so an OV a few units of the last place below a whole number n gives n.
double OverallValue(const std::uint8_t* record);

// OverallValue(record) by a double-precision estimate, with the exact extended-precision
// sum only where the estimate lies within 2e-9 of a whole number: the same result, about
// three times as fast. record must not be nullptr.
double OverallValueFast(const std::uint8_t* record);

// The same for a given OV value (any double): the text round trip, with a fast path that
// skips the texts where they cannot change the result.
double OverallValueOf(double ov);

// The mean OverallValue over the named players (trimmed name of at least 2 characters)
// of the loaded league; 0 when there is none. Throws ProgramError(kSomethingsWrong) when
// the league has no roster image or PlayersPerTeam is not positive. With `ranks`, the
// same pass adds every named player to it (and finishes it).
double LeagueAverageOverall(const LeagueData& league, LeagueRanks* ranks = nullptr);

// The caption ShowLeagueAverage writes into avgov: the average cut (not rounded) to one
// decimal through extended-precision steps (65.37 -> "65.3", 65.1 -> "65").
std::string LeagueAverageText(double average, std::string_view decimalSeparator);

namespace detail {

// The four weight sets, exposed for the tests.
enum class OverallWeightSetId { kForward, kGoalie, kDefenderScAboveDf, kDefenderOther };

struct OverallWeights {
    std::array<long double, 13> weight;  // by RatingIndex IT..LD; 0 for a rating not used
    long double constant;
};

const OverallWeights& OverallWeightSet(OverallWeightSetId id);

}  // namespace detail

}  // namespace vantrel
