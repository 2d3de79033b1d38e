#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tool_error.h"

// The product description: the small text file from which stptool pack
// builds a medium. The README describes its form; in short:
//
//   # comment
//   [product]
//   organisation = Beispiel
//   ...
//   [files]
//   SOURCE [-> TARGET]
//   [links]
//   SHORTCUT -> TARGET
namespace stptool {

// One line of [files]: a file, or a folder with every file below it, and
// where it goes.
struct FileSource {
  int line;
  // Below the source folder, "\" between parts; "" for the source folder
  // itself.
  std::string source;
  bool folder;
  // Where the file goes, "\" between parts. For a folder, the folder its
  // files go to ("" for the destination folder itself).
  std::string target;
};

// One line of [links]: a shortcut below the Programs folder and the
// installed file it starts.
struct LinkSource {
  int line;
  std::string name;
  std::string target;
};

// All texts are Windows-1252.
struct ProductDescription {
  // The file's name as the user gave it, for messages.
  std::string name;
  // Section General of Setup.inf, keys and values in the order written.
  std::vector<std::pair<std::string, std::string>> general;
  std::vector<FileSource> files;
  std::vector<LinkSource> links;
};

// Reads a description from UTF-8 text. Anything it does not understand is
// a ToolError naming the line.
ProductDescription ParseProductDescription(std::string_view text, const std::string& name);
// path is a core path.
ProductDescription LoadProductDescription(const std::string& path);

// "name:line: message", a user error.
ToolError DescriptionError(const std::string& name, int line, const std::string& message);

}  // namespace stptool
