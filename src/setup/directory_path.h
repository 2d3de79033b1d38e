#pragma once

#include <string>

namespace stp {

// Creates every missing level of a Windows path, from the outermost missing
// one inwards. A trailing "\" is ignored; paths shorter than three characters
// (a drive) are never created. Failures are not reported: the directory is
// then simply missing, and whoever writes into it meets the problem.
void MakeDirectoryPath(const std::string& path);

}  // namespace stp
