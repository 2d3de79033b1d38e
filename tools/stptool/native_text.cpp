#include "native_text.h"

#include <unistd.h>

#include <cstdio>

#include "port/ansi_text.h"
#include "port/directory_path.h"
#include "port/file_system.h"

namespace stptool {

std::string CorePath(std::string_view argument) {
#ifdef _WIN32
  // The program's arguments already come in the ANSI code page.
  std::string path(argument);
#else
  const auto ansi = stp::Utf8ToAnsi(argument);
  if (!ansi) {
    throw ToolError("the path '" + std::string(argument) + "' cannot be written in Windows-1252", kUserError);
  }
  std::string path = *ansi;
#endif
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string Shown(std::string_view text) {
#ifdef _WIN32
  return std::string(text);
#else
  return stp::AnsiToUtf8(text);
#endif
}

std::string ShownPath(std::string_view path) {
  std::string shown = Shown(path);
#ifndef _WIN32
  for (char& c : shown) {
    if (c == '\\') c = '/';
  }
#endif
  return shown;
}

std::string CoreMessage(const stp::Error& error) {
  std::string message = Shown(error.what());
  if (!error.Detail().empty()) message += " (" + ShownPath(error.Detail()) + ")";
  return message;
}

ToolError CoreFailure(const stp::Error& error) {
  return ToolError(CoreMessage(error), dynamic_cast<const stp::IoError*>(&error) ? kFailed : kDamaged);
}

void EnsureDirectory(const std::string& path) {
  stp::MakeDirectoryPath(path);
  // The core never creates paths of one or two characters (drives); a
  // relative folder of that length is still the user's to ask for.
  if (!stp::port::DirectoryExists(path)) stp::port::MakeDirectory(path);
  if (!stp::port::DirectoryExists(path)) {
    throw ToolError("cannot create the folder '" + ShownPath(path) + "'", kUserError);
  }
}

bool StderrIsTerminal() { return isatty(fileno(stderr)) != 0; }

}  // namespace stptool
