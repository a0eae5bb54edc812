#pragma once

// Name patterns of the search: "*" stands for any run of characters (possibly none),
// "?" for exactly one character; every other byte matches only itself. Both sides are
// compared byte for byte, so callers upper-case them first for a case-blind search.
// "*" and "?" inside the text are ordinary characters.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// The first 1-based position p >= start at which segment fits into text, "?" in the
// segment matching any byte; -1 when there is none. A start below 1 counts as 1. After
// a partial match the search goes on at p + 1, so no occurrence is skipped.
int FindPatternAt(std::string_view text, std::string_view segment, int start);

// Whether pattern covers the whole of text. The pattern is split at its asterisks:
// the piece before the first "*" must begin the text, the piece after the last "*"
// must end it, and the pieces in between are placed leftmost in order without
// overlapping. A pattern without "*" must match the text in length and every byte.
// An empty pattern matches every text.
bool MatchNamePattern(std::string_view text, std::string_view pattern);

// A pattern split once, for matching many names with the results of MatchNamePattern.
// Matches neither allocates nor changes the object.
class NamePattern {
  public:
    explicit NamePattern(std::string_view pattern);

    bool Matches(std::string_view text) const;

    // Whether every text matches: the pattern is empty or made only of "*".
    bool MatchesEveryText() const { return pattern_.empty() || (hasStar_ && pieces_.empty()); }

  private:
    struct Piece {
        std::size_t offset;  // into pattern_; offsets survive copies of the object
        std::size_t length;
    };
    std::string_view PieceText(const Piece& piece) const {
        return std::string_view(pattern_).substr(piece.offset, piece.length);
    }

    std::string pattern_;
    bool hasStar_ = false;
    bool anchoredHead_ = false;  // the first piece does not follow a "*"
    bool anchoredTail_ = false;  // the last piece is not followed by a "*"
    std::vector<Piece> pieces_;  // the non-empty pieces in pattern order
};

}  // namespace vantrel
