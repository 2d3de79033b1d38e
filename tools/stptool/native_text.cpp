#include "native_text.h"

#include <unistd.h>

#include <cstdio>

#include "port/ansi_text.h"
#include "port/directory_path.h"
#include "port/file_system.h"

namespace stptool {
namespace {

// Bytes that a terminal takes for commands: the C0 controls, DEL, and the
// five bytes Windows-1252 leaves undefined, which become C1 controls.
bool IsControl(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

std::string Escaped(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    if (IsControl(static_cast<unsigned char>(c))) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02x", static_cast<unsigned char>(c));
      escaped += code;
    } else {
      escaped += c;
    }
  }
  return escaped;
}

}  // namespace

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
  return Escaped(text);
#else
  return stp::AnsiToUtf8(Escaped(text));
#endif
}

std::string ShownPath(std::string_view path) {
  std::string native(path);
#ifndef _WIN32
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
#endif
  return Shown(native);
}

std::string CoreMessage(const stp::Error& error) {
  // The core names its paths the Windows way, in its messages too.
  if (!error.English().empty()) return ShownPath(error.English());
  std::string message = ShownPath(error.what());
  if (!error.Detail().empty()) message += " (" + ShownPath(error.Detail()) + ")";
  return message;
}

ToolError CoreFailure(const stp::Error& error) {
  return ToolError(CoreMessage(error), dynamic_cast<const stp::IoError*>(&error) ? kFailed : kDamaged);
}

std::string IoReason(const stp::IoError& error) { return Shown(error.Reason()); }

void EnsureDirectory(const std::string& path) {
  // Level by level from the outermost, so that the message can name the
  // level that failed and why.
  for (std::size_t end = path.find('\\', 1);; end = path.find('\\', end + 1)) {
    const std::string level = path.substr(0, end);
    const bool last = end == std::string::npos;
    if (!level.empty() && level.back() != ':' && !stp::port::DirectoryExists(level)) {
      if (stp::port::KindOf(level) != stp::port::PathKind::kMissing) {
        throw ToolError("cannot create the folder '" + ShownPath(path) + "': '" + ShownPath(level) +
                            "' is in the way, and it is no folder",
                        kUserError);
      }
      try {
        stp::port::MakeDirectoryOrThrow(level);
      } catch (const stp::IoError& e) {
        throw ToolError("cannot create the folder '" + ShownPath(level) + "': " + IoReason(e), kUserError);
      }
    }
    if (last) return;
  }
}

bool StdinIsTerminal() { return isatty(fileno(stdin)) != 0; }

bool StderrIsTerminal() { return isatty(fileno(stderr)) != 0; }

}  // namespace stptool
