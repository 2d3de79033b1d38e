#include "tool_host.h"

#include <csignal>
#include <cstdio>
#include <iostream>

#include "native_text.h"
#include "port/errors.h"
#include "tool_error.h"

namespace stptool {
namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) { interrupted = 1; }

bool AskOnTerminal(int number, const std::string& source_directory) {
  std::fprintf(
      stderr,
      "\nVolume %d (Setup%d.stp) is missing. Put it into %s, beside Setup.inf or in a folder Disk%d,\n"
      "then press Enter to look again, or type q and Enter to give up: ",
      number, number, ShownPath(source_directory).c_str(), number);
  std::fflush(stderr);
  std::string answer;
  if (!std::getline(std::cin, answer)) return false;
  return answer != "q" && answer != "Q";
}

}  // namespace

DiskPrompt TerminalPrompt(bool ask) { return ask ? DiskPrompt(AskOnTerminal) : DiskPrompt(); }

void StopOnInterrupt() { std::signal(SIGINT, OnInterrupt); }

bool ToolHost::CancelConfirmed() { return gave_up_ || interrupted != 0; }

bool ToolHost::AskForDisk(int number, const std::string& source_directory) {
  if (!prompt_) {
    throw ToolError("volume " + std::to_string(number) + " is missing: Setup" + std::to_string(number) +
                        ".stp is neither beside Setup.inf nor in a folder Disk" + std::to_string(number),
                    kDamaged);
  }
  progress_.Finish();
  if (prompt_(number, source_directory)) return true;
  gave_up_ = true;
  return false;
}

void ToolHost::Advance(std::uint32_t bytes) {
  done_ += bytes;
  written_ = true;
}

void ToolHost::ShowTarget(const std::string& target, int) {
  current_ = target;
  written_ = false;
}

// Only stamping reports error numbers: either the target could not be
// written, and then it keeps what it held, or it is whole and only its time
// is missing.
void ToolHost::ReportErrorNumber(int error) {
  written_ = false;
  throw ToolError(
      "'" + ShownPath(current_) + "' could not be written or stamped: " + Shown(stp::IoErrorText(error)),
      kFailed);
}

void ToolHost::FileInstalled() {
  written_ = false;
  ++files_done_;
}

}  // namespace stptool
