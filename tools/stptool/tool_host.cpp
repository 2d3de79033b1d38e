#include "tool_host.h"

#include <cstdio>
#include <iostream>

#include "destination.h"
#include "native_text.h"
#include "port/errors.h"
#include "port/file_system.h"
#include "signals.h"
#include "tool_error.h"

namespace stptool {
namespace {

bool AskOnTerminal(int number, const std::string& source_directory) {
  // The engine looks for the volume in one folder once it has asked: the
  // folder of Setup.inf.
  std::fprintf(stderr,
               "\nVolume %d (Setup%d.stp) is missing. Put it into %s,\n"
               "then press Enter to look again, or type q and Enter to give up: ",
               number, number, ShownPath(source_directory).c_str());
  std::fflush(stderr);
  std::string answer;
  // A signal ends the wait: the read fails.
  if (!std::getline(std::cin, answer) || Interrupted()) return false;
  return answer != "q" && answer != "Q";
}

}  // namespace

DiskPrompt TerminalPrompt(bool ask) {
  return ask && StdinIsTerminal() ? DiskPrompt(AskOnTerminal) : DiskPrompt();
}

bool ToolHost::CancelConfirmed() { return gave_up_ || Interrupted(); }

bool ToolHost::AskForDisk(int number, const std::string& source_directory) {
  if (!prompt_) {
    throw ToolError("volume " + std::to_string(number) + " is missing: Setup" + std::to_string(number) +
                        ".stp is neither beside Setup.inf nor in a folder Disk" + std::to_string(number),
                    kDamaged);
  }
  progress_.Finish();
  if (prompt_(number, source_directory)) return true;
  gave_up_ = !Interrupted();
  return false;
}

void ToolHost::Advance(std::uint32_t bytes) {
  done_ += bytes;
  written_ = true;
}

// The engine has made the target's folders and is about to create it.
void ToolHost::ShowTarget(const std::string& target, int) {
  current_ = target;
  written_ = false;
  if (!root_.empty()) CheckTargetPath(root_, target, Existing::kReplace);
}

// Only stamping reports error numbers: either the target could not be
// written, and then it keeps what it held, or it is whole and only its time
// is missing.
void ToolHost::ReportErrorNumber(int error) {
  written_ = false;
  const bool created = stp::port::KindOf(current_) == stp::port::PathKind::kFile;
  throw ToolError("'" + ShownPath(current_) + "' could not be " + (created ? "stamped" : "created") + ": " +
                      stp::IoErrorEnglish(error),
                  created ? kFailed : kUserError);
}

// The reason is the folder's where the engine could not make it (it makes
// folders without a word), else the file's own.
void ToolHost::TargetNotCreated(const std::string& target, const stp::IoError& error) {
  written_ = false;
  EnsureDirectory(target.substr(0, target.rfind('\\')));
  throw ToolError(CoreMessage(error), kUserError);
}

void ToolHost::FileInstalled() {
  written_ = false;
  ++files_done_;
}

}  // namespace stptool
