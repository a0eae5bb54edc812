#pragma once

// A plain dynamic-programming glob matcher, written apart from the program's matcher so
// that the fuzz targets can compare the two.

#include <cstddef>
#include <string_view>
#include <vector>

namespace fuzzref {

// "*" any run, "?" any one byte, everything else itself; an empty pattern matches all.
inline bool ReferenceGlob(std::string_view text, std::string_view pattern) {
    if (pattern.empty())
        return true;
    // row[j]: pattern[0, i) covers text[0, j).
    std::vector<char> row(text.size() + 1, 0);
    row[0] = 1;
    for (char p : pattern) {
        std::vector<char> next(text.size() + 1, 0);
        if (p == '*') {
            char any = 0;
            for (std::size_t j = 0; j <= text.size(); ++j) {
                any = static_cast<char>(any | row[j]);
                next[j] = any;
            }
        } else {
            for (std::size_t j = 1; j <= text.size(); ++j)
                next[j] = static_cast<char>(row[j - 1] && (p == '?' || p == text[j - 1]));
        }
        row.swap(next);
    }
    return row[text.size()] != 0;
}

}  // namespace fuzzref
