#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversion between the program's text (Windows-1252) and UTF-8, for the
// POSIX file system and terminals.
namespace stp {

std::string AnsiToUtf8(std::string_view ansi);
// Empty when the text holds a character that Windows-1252 cannot represent,
// or is not valid UTF-8.
std::optional<std::string> Utf8ToAnsi(std::string_view utf8);

}  // namespace stp
