#include "setup/command_line.h"

namespace stp {

bool IsRemovalSwitch(std::string_view first_argument) {
  // ASCII only: the argument's code page must not turn another letter into "u".
  return first_argument.size() >= 2 && (first_argument[1] == 'u' || first_argument[1] == 'U');
}

}  // namespace stp
