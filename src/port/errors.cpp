#include "port/errors.h"

namespace stp {

Error::Error(const std::string& message, std::string detail)
    : std::runtime_error(message), detail_(std::move(detail)) {}

IoError::IoError(int code, std::string detail)
    : Error(IoErrorText(code), std::move(detail)), code_(code) {}

std::string IoErrorText(int code) {
  switch (code) {
    case kFileNotFound: return "Datei nicht gefunden";
    case kInvalidFileName: return "Ungültiger Dateiname";
    case kTooManyOpenFiles: return "Zu viele Dateien geöffnet";
    case kAccessDenied: return "Dateizugriff verweigert";
    case kReadBeyondEnd: return "Lesen nach Dateiende (EOF)";
    case kDiskFull: return "Kapazität der Diskette/Festplatte erschöpft";
    default: return "I/O-Fehler " + std::to_string(code);
  }
}

}  // namespace stp
