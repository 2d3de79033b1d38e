#pragma once

#include <string>
#include <vector>

#include "engine/extraction.h"
#include "port/file_system.h"
#include "setup/configuration.h"

// What extract finds below its destination folder before it writes there.
namespace stptool {

// What extract does with a file that is already where a target goes.
enum class Existing { kRefuse, kReplace };

// Checks the way to target (a full path below root, a core path ending in
// "\") as it lies on the disk now. A symbolic link on the way or at the
// target would take the writing elsewhere: a ToolError of a damaged medium,
// since its names would then leave the destination. A file where a folder
// is needed, a folder, pipe or device where the file goes, and with
// kRefuse an existing file, are the user's to clear: a user error.
void CheckTargetPath(const std::string& root, const std::string& target, Existing existing);

// Checks every target of the table before anything is written, naming the
// entry that would pass a link.
void CheckDestination(const stp::FileTable& files, const stp::TargetPlaces& places, Existing existing);

// A file whose time on disk is not the stored one.
struct TimeNotKept {
  std::string path;
  stp::port::FileTime stored;
  stp::port::FileTime kept;
};

// The extracted targets whose time on disk is more than two seconds (the
// steps of FAT's times) from the stored one: file systems with a narrower
// range of times than Windows (ext4 keeps 1901 to 2446) stamp the nearest
// time they can.
std::vector<TimeNotKept> TimesNotKept(const stp::FileTable& files, const stp::TargetPlaces& places);

}  // namespace stptool
