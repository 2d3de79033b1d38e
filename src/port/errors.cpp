#include "port/errors.h"

namespace stp {

Error::Error(const std::string& german, std::string detail)
    : std::runtime_error(german), detail_(std::move(detail)) {}

Error::Error(const std::string& german, std::string english, std::string detail)
    : std::runtime_error(german), english_(std::move(english)), detail_(std::move(detail)) {}

IoError::IoError(int code, const std::string& action, std::string path, std::string reason)
    : Error(IoErrorText(code), "cannot " + action + " '" + path + "': " + reason,
            action + " " + path + ": " + reason),
      code_(code),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

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

std::string IoErrorEnglish(int code) {
  switch (code) {
    case kFileNotFound: return "file not found";
    case kInvalidFileName: return "invalid file name";
    case kTooManyOpenFiles: return "too many open files";
    case kAccessDenied: return "access denied";
    case kReadBeyondEnd: return "read beyond the end of the file";
    case kDiskFull: return "disk full";
    default: return "input/output error " + std::to_string(code);
  }
}

}  // namespace stp
