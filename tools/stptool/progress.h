#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace stptool {

// One line on stderr, redrawn in place while a long run goes on: percent
// done, megabytes, and the file at hand. Silent unless enabled, so that
// logs and tests see only the results.
class Progress {
 public:
  explicit Progress(bool enabled) : enabled_(enabled) {}
  // Clears the line, also when a failure ends the run.
  ~Progress() { Finish(); }
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;
  // Enabled when stderr is a terminal, unless quiet.
  static Progress OnTerminal(bool quiet);

  void Start(std::uint64_t total_bytes);
  // Redraws the line, at most a few times a second. name is Windows-1252.
  void Show(std::uint64_t done_bytes, std::string_view name);
  // Clears the line.
  void Finish();

 private:
  void Draw(const std::string& line);

  bool enabled_;
  std::uint64_t total_ = 0;
  std::size_t drawn_ = 0;  // characters on the line now
  std::chrono::steady_clock::time_point last_{};
};

}  // namespace stptool
