#pragma once

#include <string>

namespace stp {

// The kinds of message a person reads in a box: "Fehler", "Warnung",
// "Information".
enum class MessageKind { kError, kWarning, kInformation };

// Where the messages of the system's adapters go (a registry access that
// failed, for instance): message boxes in an interactive run, the log in
// one without pages. The adapters never decide that themselves.
class MessageSink {
 public:
  virtual ~MessageSink() = default;

  // text: what the box shows; detail: what lies behind it (the file, the
  // key, the error number), for the log.
  virtual void Show(MessageKind kind, const std::string& text, const std::string& detail = {}) = 0;
};

}  // namespace stp
