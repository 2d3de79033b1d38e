#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "port/file_system.h"
#include "setup/configuration.h"
#include "setup/run_outcome.h"

namespace stp {

// A moment on the computer's clock, as the log shows it.
struct LogTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};
// The local time now (GetLocalTime in Setup.exe; a fixed or counting one in
// tests).
using LogClock = std::function<LogTime()>;

// The log that /LOG= asks for: plain text in the program's code page, one
// line per event, "YYYY-MM-DD hh:mm:ss " and the event, ending in CR LF.
// The file is appended to, so an earlier log is never lost, and each line
// goes to the system at once, so that a run that is killed still leaves
// every line up to then.
//
// A log that cannot be written never stops a run: the first failure ends
// the writing and is kept in Problem(), for the program to mention where
// it can.
class SetupLog {
 public:
  // A run without /LOG=: writes nothing, and has no problem.
  SetupLog() = default;
  // Opens path for appending.
  SetupLog(const std::string& path, LogClock clock);

  bool IsWriting() const { return file_.IsOpen(); }
  // Why the log is not (or no longer) written, in German; empty otherwise.
  const std::string& Problem() const { return problem_; }

  // One line; line breaks in text become blanks.
  void Write(std::string_view text);

 private:
  void Fail(const std::string& reason);

  std::string path_;
  LogClock clock_;
  port::File file_;
  std::string problem_;
};

// The first line of a run: the command line as the program got it.
void LogStart(SetupLog& log, std::string_view command_line);
// The product title and the entry name, under which the system's software
// list and deployment tools know the product.
void LogProduct(SetupLog& log, const SetupConfiguration& product);
// The last lines of a run: its outcome and the exit code.
void LogEnd(SetupLog& log, RunOutcome outcome);

}  // namespace stp
