#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace stp {

// A full Windows path that names one place whatever the current drive and
// directory are, in the two forms the removal needs: the path to hand to the
// file system and the key to compare it by.
//
// The installation record is a text file anybody can edit, so only plain
// paths are accepted: "X:\..." or "\\server\share\...", with "\" or "/"
// between non-empty parts; no "." or ".." parts, no part ending in a dot or
// blank (Windows drops those, so "Windows." is "Windows"), no wildcard, colon
// (a file's stream) or control character in a part, no device name ("NUL",
// "COM1.txt"), and no "\\?\" or "\\.\" prefix.
class FullPath {
 public:
  static std::optional<FullPath> Parse(std::string_view path);

  // "\" between the parts, without a trailing "\" ("C:" for a drive's root).
  const std::string& Text() const { return text_; }
  // The path with a trailing "\": the form a directory is joined with names in.
  std::string Directory() const { return text_ + '\\'; }

  bool IsRoot() const { return text_.size() == root_length_; }
  // The directory that holds this path; a root is its own parent.
  FullPath Parent() const;
  // Whether this path lies inside outer, at any depth. Letter case does not
  // count, as on Windows; a path is not below itself.
  bool IsBelow(const FullPath& outer) const;
  bool IsSameAs(const FullPath& other) const { return key_ == other.key_; }
  // The same place, or one that holds it.
  bool IsSameOrAbove(const FullPath& inner) const { return IsSameAs(inner) || inner.IsBelow(*this); }

 private:
  FullPath(std::string text, std::size_t root_length);

  std::string text_;
  std::string key_;  // text_ with the case of letters folded
  std::size_t root_length_;
};

}  // namespace stp
