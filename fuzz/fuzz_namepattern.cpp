// Name patterns: MatchNamePattern, the precompiled NamePattern and FindPatternAt against
// a plain dynamic-programming glob matcher and a naive segment search.
// Input: text, a zero byte, pattern (a missing zero byte splits the input in half).

#include "core/search/namepattern.h"

#include "referenceglob.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool condition, const char* what, std::string_view text, std::string_view pattern) {
    if (condition)
        return;
    std::fprintf(stderr, "fuzz_namepattern: %s: text \"%.*s\" pattern \"%.*s\"\n", what,
                 static_cast<int>(text.size()), text.data(), static_cast<int>(pattern.size()),
                 pattern.data());
    std::abort();
}

// First 1-based position >= start (at least 1) where segment fits, "?" matching any byte.
int ReferenceFind(std::string_view text, std::string_view segment, int start) {
    for (std::size_t at = static_cast<std::size_t>(std::max(start, 1)) - 1;
         at + segment.size() <= text.size(); ++at) {
        bool fits = true;
        for (std::size_t k = 0; k < segment.size() && fits; ++k)
            fits = segment[k] == '?' || segment[k] == text[at + k];
        if (fits)
            return static_cast<int>(at) + 1;
    }
    return -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Names are at most 21 bytes; longer inputs only slow the quadratic reference down.
    if (size > 512)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t split = input.find('\0');
    const std::size_t skip = split == std::string_view::npos ? 0 : 1;
    if (split == std::string_view::npos)
        split = size / 2;
    const std::string_view text = input.substr(0, split);
    const std::string_view pattern = input.substr(split + skip);

    const bool expected = fuzzref::ReferenceGlob(text, pattern);
    Check(vantrel::MatchNamePattern(text, pattern) == expected, "MatchNamePattern", text, pattern);
    const vantrel::NamePattern compiled(pattern);
    Check(compiled.Matches(text) == expected, "NamePattern::Matches", text, pattern);
    // A copy must match alike: its pieces refer into its own pattern.
    const vantrel::NamePattern copy = compiled;
    Check(copy.Matches(text) == expected, "copied NamePattern", text, pattern);

    const int start =
        text.empty() ? 1 : static_cast<int>(static_cast<unsigned char>(text[0]) % 24) - 2;
    Check(vantrel::FindPatternAt(text, pattern, start) == ReferenceFind(text, pattern, start),
          "FindPatternAt", text, pattern);
    return 0;
}
