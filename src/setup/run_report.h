#pragma once

#include <string>
#include <string_view>

#include "setup/message_sink.h"
#include "setup/setup_log.h"

namespace stp {

// What one run tells about itself: events for the log, and messages, which
// are logged, counted (so that the exit code can tell a run with errors)
// and, in an interactive run, shown in their boxes too.
//
// Message lines read "Fehler: ", "Warnung: " or "Information: ", the text,
// and the detail in brackets when there is one.
class RunReport : public MessageSink {
 public:
  // boxes: where messages are shown as well; none in a run without pages.
  explicit RunReport(SetupLog& log, MessageSink* boxes = nullptr) : log_(log), boxes_(boxes) {}

  // Logs and counts the message, then shows it.
  void Show(MessageKind kind, const std::string& text, const std::string& detail = {}) override;
  // Logs and counts a message that its caller shows itself, or that a run
  // without pages does not show.
  void Record(MessageKind kind, const std::string& text, const std::string& detail = {});
  // A line of the log that is no message: a file installed, a key written.
  void Event(std::string_view line) { log_.Write(line); }

  int Errors() const { return errors_; }
  SetupLog& Log() { return log_; }

 private:
  SetupLog& log_;
  MessageSink* boxes_;
  int errors_ = 0;
};

}  // namespace stp
