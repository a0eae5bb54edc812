#include "core/league/records.h"

#include <cstring>

namespace vantrel {

namespace {
bool IsTrimmed(unsigned char c) {
    return c >= 1 && c <= 32;
}
}  // namespace

std::string_view ExtractTextView(const std::uint8_t* field, int width) {
    if (width <= 0)
        return {};
    const char* text = reinterpret_cast<const char*>(field);
    const void* zero = std::memchr(field, 0, static_cast<std::size_t>(width));
    std::size_t end = zero
                          ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - field)
                          : static_cast<std::size_t>(width);
    std::size_t begin = 0;
    while (end > begin && IsTrimmed(static_cast<unsigned char>(text[end - 1])))
        --end;
    while (begin < end && IsTrimmed(static_cast<unsigned char>(text[begin])))
        ++begin;
    return std::string_view(text + begin, end - begin);
}

std::string ExtractText(const std::uint8_t* field, int width) {
    return std::string(ExtractTextView(field, width));
}

}  // namespace vantrel
