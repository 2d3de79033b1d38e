#pragma once

#include <string_view>

namespace stp {

// Whether the first command-line argument asks for removal: its second
// character is "u" in either case, as in "/u" or "-U". A shorter argument
// never does.
bool IsRemovalSwitch(std::string_view first_argument);

}  // namespace stp
