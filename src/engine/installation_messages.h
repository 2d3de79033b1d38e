#pragma once

#include <string>

// The texts the installation page shows during a run, shared with the log
// of a run without pages.
namespace stp {

inline constexpr char kNoSetupDataMessage[] =
    "Der Setup-Datensatz kann nicht gefunden werden, die Installation wird abgebrochen.";
// Panel1's caption once every file is installed.
inline constexpr char kSystemUpdateText[] = "Setup aktualisiert Ihr System...";
// The caption of the diskette prompt.
inline constexpr char kDiskPromptCaption[] = "Diskette wechseln";

inline std::string DiskPromptText(int number, const std::string& source_directory) {
  return "Legen Sie die Installationsdiskette " + std::to_string(number) + " in das Laufwerk " +
         source_directory + " ein.";
}

}  // namespace stp
