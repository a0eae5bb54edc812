#pragma once

// Texts as 8-byte words that order as the texts do, and an in-place sort of such words
// beside the rows that show them.

#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

namespace vantrel {

// A text's 8 bytes from `from` as a big-endian word, zero-padded; inverted for the
// reverse order. Texts never hold a zero byte (they end at the first one), so the words
// order as the texts' pieces do byte-wise, a shorter text first.
inline std::uint64_t TextWord(std::string_view text, std::size_t from, bool ascending) {
    unsigned char bytes[8] = {};
    const std::size_t left = from < text.size() ? text.size() - from : 0;
    if (left >= 8)
        std::memcpy(bytes, text.data() + from, 8);  // the usual case, without a loop
    else if (left > 0)
        std::memcpy(bytes, text.data() + from, left);
    std::uint64_t word = 0;
    for (const unsigned char byte : bytes)
        word = (word << 8) | byte;
    return ascending ? word : ~word;
}

// Whether a word of a text shows that the text goes on past it: its last byte is no
// padding.
inline bool GoesOn(std::uint64_t word, bool ascending) {
    return (word & 0xFF) != (ascending ? 0u : 0xFFu);
}

// Words and rows side by side, sorted together in place.
struct WordRows {
    std::uint64_t* words;
    std::int32_t* rows;
    std::size_t n;
    bool ascending;

    WordRows Part(std::size_t begin, std::size_t end) const {
        return {words + begin, rows + begin, end - begin, ascending};
    }
};

// Sorts by word, equal words by row, except equal words whose texts go on past them: the
// next word sorts those. An MSD radix sort, short stretches by comparison; one sorter
// serves one thread, and the buffer of its smaller groups is made once, when first needed.
class WordSorter {
  public:
    void Sort(const WordRows& s);

  private:
    std::pair<std::uint64_t*, std::int32_t*> Buffer();

    std::unique_ptr<std::uint64_t[]> words_;
    std::unique_ptr<std::int32_t[]> rows_;
};

// The same for a whole list: the first level on the calling thread, the groups it makes
// in a stretch per core.
void SortWordsInParts(const WordRows& s);

}  // namespace vantrel
