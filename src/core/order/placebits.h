#pragma once

// One bit per place of a list, kept in 64-bit words so that 64 places are marked, tested
// and skipped at once; a stretch of places that starts at a multiple of 64 owns its words.

#include <bit>
#include <cstdint>
#include <vector>

namespace vantrel {

class PlaceBits {
  public:
    static constexpr std::size_t kWordBits = 64;

    PlaceBits() = default;
    explicit PlaceBits(std::size_t places) : words_((places + kWordBits - 1) / kWordBits) {}

    bool operator[](std::size_t place) const {
        return (words_[place / kWordBits] >> (place % kWordBits) & 1) != 0;
    }
    std::uint64_t Word(std::size_t w) const { return words_[w]; }
    void SetWord(std::size_t w, std::uint64_t bits) { words_[w] = bits; }

    // The first marked place at or after `place`; at least the place count when none is.
    std::size_t NextMarked(std::size_t place) const {
        std::size_t w = place / kWordBits;
        if (w >= words_.size())
            return place;
        std::uint64_t bits = words_[w] & (~std::uint64_t{0} << (place % kWordBits));
        while (bits == 0) {
            if (++w == words_.size())
                return w * kWordBits;
            bits = words_[w];
        }
        return w * kWordBits + static_cast<std::size_t>(std::countr_zero(bits));
    }

  private:
    std::vector<std::uint64_t> words_;
};

}  // namespace vantrel
