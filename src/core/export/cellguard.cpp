#include "core/export/cellguard.h"

namespace vantrel {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The digits from `at` on; returns where they end.
std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at]))
        ++at;
    return at;
}

}  // namespace

bool IsNumberText(std::string_view cell) {
    std::size_t at = !cell.empty() && (cell[0] == '+' || cell[0] == '-') ? 1 : 0;
    const std::size_t digitsEnd = SkipDigits(cell, at);
    if (digitsEnd == at)
        return false;
    at = digitsEnd;
    if (at < cell.size() && cell[at] == '.') {
        const std::size_t fractionEnd = SkipDigits(cell, at + 1);
        if (fractionEnd == at + 1)
            return false;
        at = fractionEnd;
    }
    return at == cell.size();
}

bool NeedsFormulaGuard(std::string_view cell) {
    if (cell.empty() || std::string_view("=+-@\t\r").find(cell[0]) == std::string_view::npos)
        return false;
    return !IsNumberText(cell);
}

std::string GuardedCell(std::string_view cell) {
    std::string out;
    if (NeedsFormulaGuard(cell))
        out += '\'';
    out += cell;
    return out;
}

}  // namespace vantrel
