#pragma once

#include "setup/message_sink.h"

// The messages of an interactive run: each in the German message dialog of
// its kind, with an OK button. The detail is for the log only.
class MessageBoxes final : public stp::MessageSink {
 public:
  void Show(stp::MessageKind kind, const std::string& text, const std::string& detail = {}) override;
};
