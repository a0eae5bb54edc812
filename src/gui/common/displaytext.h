#pragma once

// Between the league's Windows-1252 bytes and what the windows show.

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// Windows-1252 bytes as Unicode text for display.
QString DecodeText(std::string_view bytes);

// Unicode text as Windows-1252 bytes; nullopt when a character has no byte.
std::optional<std::string> EncodeText(const QString& text);

// The decimal separator of the user's locale, as UTF-8.
std::string LocaleDecimalSeparator();

}  // namespace vantrel
