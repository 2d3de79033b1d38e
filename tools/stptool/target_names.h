#pragma once

#include <string>
#include <string_view>

// Rules for the names a medium carries, shared by pack (which refuses to
// write a name that breaks them) and by list and extract (which refuse a
// medium that holds one, before anything touches the disk).
namespace stptool {

enum class Placeholders { kAllowed, kRefused };

// Why the name cannot be a relative path below a destination folder, or
// the empty text when it can: a name must not be absolute, hold a drive
// letter or ":", have empty, "." or ".." parts, or hold characters that
// Windows refuses in file names; and no part may end in a dot or blank or
// be the name of a device ("NUL", "com1.txt"), which Windows would not keep
// as a file of that name, on any platform, so that every medium installs
// on Windows. "\" and "/" both separate parts, as both do on Windows. With
// kAllowed, "<windir>" or "<desktop>" (any letter case) followed by "\"
// may begin the name. The reason is Windows-1252 text that may quote a part
// of the name.
std::string NameProblem(std::string_view name, Placeholders placeholders);

// Why the value would not come back unchanged from a Setup.inf line
// "key=value", or the empty text: GetPrivateProfileString trims blanks,
// drops enclosing quotes and sees at most 1023 characters.
std::string ProfileValueProblem(std::string_view value);

}  // namespace stptool
