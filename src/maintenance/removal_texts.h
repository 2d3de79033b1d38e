#pragma once

#include <string>

// The texts around a removal, shared by the maintenance page and the launcher.
namespace stp {

// The question before a removal, answered with "&Ja" or "&Nein".
std::string RemovalQuestion(const std::string& product_title);

// The report after every removal, whatever stayed behind.
inline constexpr char kRemovalReport[] =
    "Deinstallation erfolgreich abgeschlossen. Einige Dateielemente konnten eventuell nicht entfernt werden.";

}  // namespace stp
