#include "core/search/namepattern.h"

namespace vantrel {

namespace {

constexpr char kAnyRun = '*';
constexpr char kAnyOne = '?';

// Whether segment fits into text at the 0-based index at; the caller makes sure the
// segment does not reach past the end of the text.
bool FitsAt(std::string_view text, std::string_view segment, std::size_t at) {
    for (std::size_t k = 0; k < segment.size(); ++k) {
        if (segment[k] != kAnyOne && segment[k] != text[at + k])
            return false;
    }
    return true;
}

// 0-based form of FindPatternAt; npos when the segment fits nowhere at or after from.
std::size_t FindFrom(std::string_view text, std::string_view segment, std::size_t from) {
    if (segment.size() > text.size())
        return std::string_view::npos;
    const std::size_t last = text.size() - segment.size();
    for (std::size_t at = from; at <= last; ++at) {
        if (FitsAt(text, segment, at))
            return at;
    }
    return std::string_view::npos;
}

}  // namespace

int FindPatternAt(std::string_view text, std::string_view segment, int start) {
    const std::size_t from = start > 1 ? static_cast<std::size_t>(start) - 1 : 0;
    const std::size_t at = FindFrom(text, segment, from);
    return at == std::string_view::npos ? -1 : static_cast<int>(at) + 1;
}

bool MatchNamePattern(std::string_view text, std::string_view pattern) {
    return NamePattern(pattern).Matches(text);
}

NamePattern::NamePattern(std::string_view pattern) : pattern_(pattern) {
    hasStar_ = pattern_.find(kAnyRun) != std::string::npos;
    if (!hasStar_)
        return;  // matched as a whole, no pieces needed
    anchoredHead_ = pattern_.front() != kAnyRun;
    anchoredTail_ = pattern_.back() != kAnyRun;
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= pattern_.size(); ++i) {
        if (i < pattern_.size() && pattern_[i] != kAnyRun)
            continue;
        if (i > begin)
            pieces_.push_back(Piece{begin, i - begin});
        begin = i + 1;
    }
}

bool NamePattern::Matches(std::string_view text) const {
    // The filter passes every name for an empty name edit; keep that meaning here.
    if (pattern_.empty())
        return true;
    if (!hasStar_)
        return text.size() == pattern_.size() && FitsAt(text, pattern_, 0);

    std::size_t used = 0;  // bytes of the text already taken by earlier pieces
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        const std::string_view piece = PieceText(pieces_[i]);
        if (i + 1 == pieces_.size() && anchoredTail_) {
            // The last piece must end flush with the text without reusing taken bytes.
            if (piece.size() > text.size() - used)
                return false;
            return FitsAt(text, piece, text.size() - piece.size());
        }
        if (i == 0 && anchoredHead_) {
            // The first piece must begin the text.
            if (piece.size() > text.size() || !FitsAt(text, piece, 0))
                return false;
            used = piece.size();
            continue;
        }
        // Leftmost placement never loses a match: a later piece only gains room.
        const std::size_t at = FindFrom(text, piece, used);
        if (at == std::string_view::npos)
            return false;
        used = at + piece.size();
    }
    return true;
}

}  // namespace vantrel
