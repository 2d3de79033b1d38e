#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversion between the program's text (Windows-1252) and Unicode, for the
// POSIX file system, terminals and profile files with a byte-order mark.
namespace stp {

std::string AnsiToUtf8(std::string_view ansi);
// Empty when the text holds a character that Windows-1252 cannot represent,
// or is not valid UTF-8.
std::optional<std::string> Utf8ToAnsi(std::string_view utf8);
// As Windows converts: what Windows-1252 cannot hold, and broken sequences,
// become "?".
std::string Utf8ToAnsiLossy(std::string_view utf8);
std::string Utf16ToAnsiLossy(std::u16string_view utf16);
// Whether the text is well-formed UTF-8 (plain ASCII is).
bool IsUtf8(std::string_view text);

}  // namespace stp
