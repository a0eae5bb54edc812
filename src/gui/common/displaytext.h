#pragma once

// Between the league's Windows-1252 bytes and what the windows show, and between the
// windows' path texts and the standard library's paths.

#include <QString>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// Windows-1252 bytes as Unicode text for display.
QString DecodeText(std::string_view bytes);

// UTF-8 bytes (a text the core keeps as the user typed it) as text.
QString Utf8Text(std::string_view utf8);

// A path the user chose or typed, for the standard library's file functions.
std::filesystem::path FileSystemPath(const QString& path);

// The decimal separator of the user's locale, as UTF-8.
std::string LocaleDecimalSeparator();

}  // namespace vantrel
