#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/install_host.h"
#include "progress.h"

namespace stptool {

// Asked when volume `number` of a medium is missing: true to look again,
// false to give up. An empty prompt means the missing volume is an error.
using DiskPrompt = std::function<bool(int number, const std::string& source_directory)>;

// The prompt on the terminal (Enter looks again, q or the end of the input
// gives up), or none for --no-prompt and when standard input is no
// terminal: a script that runs the tool cannot answer it.
DiskPrompt TerminalPrompt(bool ask);

// The run ended because the user gave up at the prompt.
inline constexpr std::string_view kGaveUp = "gave up waiting for a missing volume";

// How list and extract answer the engine: a missing volume goes to the
// prompt, giving up or a signal (signals.h) counts as the confirmed cancel,
// progress goes to the terminal's progress line, and a file that cannot be
// written or stamped ends the run.
class ToolHost : public stp::InstallHost {
 public:
  ToolHost(DiskPrompt prompt, Progress& progress) : prompt_(std::move(prompt)), progress_(progress) {}

  // Every target is below root (a core path ending in "\"): the way to each
  // is checked again just before it is written (destination.h).
  void GuardBelow(std::string root) { root_ = std::move(root); }

  void ProcessMessages() override { progress_.Show(done_, current_); }
  bool CancelConfirmed() override;
  bool AskForDisk(int number, const std::string& source_directory) override;
  void Advance(std::uint32_t bytes) override;
  void ShowTarget(const std::string& target, int disk_number) override;
  void ReportErrorNumber(int error) override;
  void TargetNotCreated(const std::string& target, const stp::IoError& error) override;

  // The current target is complete and stamped.
  void FileInstalled();
  // The target the engine began decoding and did not finish, or empty.
  std::string Unfinished() const { return written_ ? current_ : std::string(); }
  bool GaveUp() const { return gave_up_; }
  int FilesDone() const { return files_done_; }
  std::uint64_t BytesDone() const { return done_; }

 private:
  DiskPrompt prompt_;
  Progress& progress_;
  std::string root_;
  bool gave_up_ = false;
  std::uint64_t done_ = 0;
  int files_done_ = 0;
  std::string current_;
  // Decoded bytes of the current target came.
  bool written_ = false;
};

}  // namespace stptool
