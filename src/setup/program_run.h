#pragma once

#include <string_view>

#include "setup/command_line.h"
#include "setup/message_boxes.h"
#include "setup/run_outcome.h"
#include "setup/run_report.h"
#include "setup/setup_log.h"

// What every run of Setup.exe and the launcher has around it: the log that
// /LOG= asks for, with its first and last lines, and the run's report,
// which shows messages in boxes unless the run is silent.
class ProgramRun {
 public:
  // Opens the log and writes the command line into it.
  ProgramRun(const stp::CommandLine& command, std::string_view command_line);
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  stp::RunReport& Report() { return report_; }
  bool Silent() const { return silent_; }

  // Logs the outcome and returns the program's exit code. An interactive
  // run says once that its log cannot be written; it goes on all the same.
  int End(stp::RunOutcome outcome);
  void MentionLogProblem();

 private:
  bool silent_;
  stp::SetupLog log_;
  MessageBoxes boxes_;
  stp::RunReport report_;
  bool problem_mentioned_ = false;
};
