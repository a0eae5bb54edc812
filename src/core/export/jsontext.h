#pragma once

// Pieces of JSON text (RFC 8259) for the list as an array of objects.

#include <string>
#include <string_view>

namespace vantrel {

// Appends the UTF-8 text as a JSON string: in double quotes, with the quote, the
// backslash and every control character below U+0020 escaped.
void AppendJsonString(std::string& out, std::string_view utf8);

}  // namespace vantrel
