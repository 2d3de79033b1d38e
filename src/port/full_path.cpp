#include "port/full_path.h"

#include <algorithm>

#include "port/windows_names.h"

namespace stp {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Windows ignores the case of accented letters too; these are the pairs of
// Windows-1252.
char FoldCase(char c) {
  const auto u = static_cast<unsigned char>(c);
  if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) return static_cast<char>(u + 0x20);
  if (u == 0x8A || u == 0x8C || u == 0x8E) return static_cast<char>(u + 0x10);
  if (u == 0x9F) return static_cast<char>(0xFF);
  return c;
}

std::string Folded(std::string_view text) {
  std::string folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(), FoldCase);
  return folded;
}

bool IsPlainPart(std::string_view part) {
  if (part.empty() || part.back() == '.' || part.back() == ' ') return false;
  for (char c : part) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
    if (port::kCharactersRefusedInNames.find(c) != std::string_view::npos) return false;
  }
  return !port::IsDeviceName(part);
}

// The parts below the root, "a\b\c" or "a\b\c\"; empty for the root itself.
bool ArePlainParts(std::string_view rest) {
  if (rest.empty()) return true;
  if (rest.back() == '\\') rest.remove_suffix(1);
  while (true) {
    const auto end = rest.find('\\');
    if (!IsPlainPart(rest.substr(0, end))) return false;
    if (end == std::string_view::npos) return true;
    rest.remove_prefix(end + 1);
  }
}

}  // namespace

FullPath::FullPath(std::string text, std::size_t root_length)
    : text_(std::move(text)), key_(Folded(text_)), root_length_(root_length) {}

std::optional<FullPath> FullPath::Parse(std::string_view path) {
  std::string text(path);
  std::replace(text.begin(), text.end(), '/', '\\');

  std::size_t root_length;
  std::string_view rest;
  if (text.size() >= 3 && IsAsciiLetter(text[0]) && text[1] == ':' && text[2] == '\\') {
    root_length = 2;
    rest = std::string_view(text).substr(3);
  } else if (text.starts_with("\\\\")) {
    const std::string_view unc = std::string_view(text).substr(2);
    const auto server_end = unc.find('\\');
    if (server_end == std::string_view::npos || !IsPlainPart(unc.substr(0, server_end))) return std::nullopt;
    const std::string_view after_server = unc.substr(server_end + 1);
    const auto share_end = after_server.find('\\');
    if (!IsPlainPart(after_server.substr(0, share_end))) return std::nullopt;
    root_length = share_end == std::string_view::npos ? text.size() : 2 + server_end + 1 + share_end;
    rest = share_end == std::string_view::npos ? std::string_view() : after_server.substr(share_end + 1);
  } else {
    return std::nullopt;
  }
  if (!ArePlainParts(rest)) return std::nullopt;

  if (text.size() > root_length && text.back() == '\\') text.pop_back();
  return FullPath(std::move(text), root_length);
}

FullPath FullPath::Parent() const {
  if (IsRoot()) return *this;
  return FullPath(text_.substr(0, text_.rfind('\\')), root_length_);
}

bool FullPath::IsBelow(const FullPath& outer) const {
  return key_.size() > outer.key_.size() && key_.starts_with(outer.key_) && key_[outer.key_.size()] == '\\';
}

}  // namespace stp
