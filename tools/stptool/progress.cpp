#include "progress.h"

#include <cstdio>
#include <string>

#include "native_text.h"

namespace stptool {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
// Long names are shown by their end, which tells files apart.
constexpr std::size_t kShownNameLength = 50;

}  // namespace

Progress Progress::OnTerminal(bool quiet) { return Progress(!quiet && StderrIsTerminal()); }

void Progress::Start(std::uint64_t total_bytes) {
  total_ = total_bytes;
  last_ = {};
}

void Progress::Show(std::uint64_t done_bytes, std::string_view name) {
  if (!enabled_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - last_ < kRedrawInterval) return;
  last_ = now;
  const unsigned percent = total_ == 0 ? 100 : static_cast<unsigned>(done_bytes * 100 / total_);
  if (name.size() > kShownNameLength) name = name.substr(name.size() - kShownNameLength);
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, "%3u%%  %.1f of %.1f MB  ", percent, done_bytes / 1e6, total_ / 1e6);
  Draw(numbers + ShownPath(name));
}

void Progress::Finish() {
  if (enabled_ && drawn_ > 0) Draw("");
  drawn_ = 0;
}

void Progress::Draw(const std::string& line) {
  // Blanks cover what a longer line before left; the cursor stays at the
  // line's start for the next redraw or message.
  const std::size_t cover = drawn_ > line.size() ? drawn_ - line.size() : 0;
  std::fprintf(stderr, "\r%s%s\r", line.c_str(), std::string(cover, ' ').c_str());
  std::fflush(stderr);
  drawn_ = line.size();
}

}  // namespace stptool
