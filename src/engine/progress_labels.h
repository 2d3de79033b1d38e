#pragma once

#include <string>

namespace stp {

// A target path as the installation page shows it (Label3): unchanged up to
// 44 characters; longer, its drive letter, ":\...\", the last folder and
// the file name, or the file name alone when both together pass 40
// characters, cut to 35 characters and "..." when the name alone does.
std::string ZeigAn(const std::string& path);

// The volume an image starts in as the page shows it (Label6): "Diskette "
// and its number, empty for the single Setup.stp (0).
std::string DiskCaption(int disk_number);

}  // namespace stp
