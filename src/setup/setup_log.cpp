#include "setup/setup_log.h"

#include <cstdio>

#include "port/errors.h"

namespace stp {
namespace {

std::string TimeText(const LogTime& time) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day,
                time.hour, time.minute, time.second);
  return text;
}

}  // namespace

SetupLog::SetupLog(const std::string& path, LogClock clock) : path_(path), clock_(std::move(clock)) {
  try {
    file_ = port::File::OpenAppend(path);
  } catch (const Error& e) {
    Fail(e.what());
  }
}

void SetupLog::Write(std::string_view text) {
  if (!IsWriting()) return;
  std::string line = TimeText(clock_()) + " ";
  for (const char c : text) line += c == '\r' || c == '\n' ? ' ' : c;
  line += "\r\n";
  try {
    file_.Write(line.data(), line.size());
  } catch (const Error& e) {
    Fail(e.what());
  }
}

void SetupLog::Fail(const std::string& reason) {
  problem_ = "Das Protokoll " + path_ + " kann nicht geschrieben werden: " + reason;
  // Dropped, not closed: closing can fail too, and nothing more is written.
  file_ = port::File();
}

void LogStart(SetupLog& log, std::string_view command_line) {
  log.Write("Start: " + std::string(command_line));
}

void LogProduct(SetupLog& log, const SetupConfiguration& product) {
  log.Write("Produkt: " + ProductTitle(product) + " (Eintrag " + UninstallEntryName(product) + ")");
}

void LogEnd(SetupLog& log, RunOutcome outcome) {
  log.Write("Ergebnis: " + OutcomeText(outcome));
  log.Write("Ende: Exitcode " + std::to_string(static_cast<int>(ExitCodeOf(outcome))));
}

}  // namespace stp
