#pragma once

// File images made from bytes held by a test, of exactly their size, so that a read past
// the end is a real overrun.

#include "core/league/leaguedata.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace vantrel::testsupport {

inline ByteImage ImageOf(const std::vector<std::uint8_t>& bytes) {
    ByteImage image;
    image.size = bytes.size();
    image.data = std::make_unique<std::uint8_t[]>(image.size);
    std::copy(bytes.begin(), bytes.end(), image.data.get());
    return image;
}

inline SharedImage SharedImageOf(const std::vector<std::uint8_t>& bytes) {
    return std::make_shared<ByteImage>(ImageOf(bytes));
}

}  // namespace vantrel::testsupport
