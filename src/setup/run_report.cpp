#include "setup/run_report.h"

namespace stp {
namespace {

const char* KindText(MessageKind kind) {
  switch (kind) {
    case MessageKind::kError: return "Fehler: ";
    case MessageKind::kWarning: return "Warnung: ";
    case MessageKind::kInformation: return "Information: ";
  }
  return "";
}

}  // namespace

void RunReport::Show(MessageKind kind, const std::string& text, const std::string& detail) {
  Record(kind, text, detail);
  if (boxes_) boxes_->Show(kind, text, detail);
}

void RunReport::Record(MessageKind kind, const std::string& text, const std::string& detail) {
  if (kind == MessageKind::kError) ++errors_;
  log_.Write(KindText(kind) + text + (detail.empty() ? "" : " (" + detail + ")"));
}

}  // namespace stp
