#include "setup/program_run.h"

#include <windows.h>

namespace {

stp::LogTime LocalTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

stp::SetupLog OpenLog(const std::string& file) {
  return file.empty() ? stp::SetupLog() : stp::SetupLog(file, LocalTime);
}

}  // namespace

ProgramRun::ProgramRun(const stp::CommandLine& command, std::string_view command_line)
    : silent_(command.silent), log_(OpenLog(command.log_file)), report_(log_, silent_ ? nullptr : &boxes_) {
  stp::LogStart(log_, command_line);
}

void ProgramRun::MentionLogProblem() {
  if (silent_ || problem_mentioned_ || log_.Problem().empty()) return;
  problem_mentioned_ = true;
  boxes_.Show(stp::MessageKind::kWarning, log_.Problem());
}

int ProgramRun::End(stp::RunOutcome outcome) {
  stp::LogEnd(log_, outcome);
  MentionLogProblem();
  return static_cast<int>(stp::ExitCodeOf(outcome));
}
