#pragma once

#include <cstdint>
#include <string>

#include "port/errors.h"

namespace stp {

// What the extraction asks of whoever runs it: the installation page of
// Setup.exe, or stptool on a terminal. The engine never shows a window
// itself.
class InstallHost {
 public:
  virtual ~InstallHost() = default;

  // Lets pending window messages run (repaint, the Cancel button); called
  // once per block each way while an image is decoded.
  virtual void ProcessMessages() = 0;
  // True once the user has confirmed cancelling; it never goes back.
  virtual bool CancelConfirmed() = 0;
  // Asks for diskette `number` (the page: the error dialog "Diskette
  // wechseln", "Legen Sie die Installationsdiskette " + number + " in das
  // Laufwerk " + source_directory + " ein."); true when the user answered OK.
  virtual bool AskForDisk(int number, const std::string& source_directory) = 0;
  // The progress gauge advances by this many decompressed bytes.
  virtual void Advance(std::uint32_t bytes) = 0;
  // The file about to be extracted (its full path, for ZeigAn) and the
  // volume it starts in (0 for a single setup data file, see DiskCaption).
  virtual void ShowTarget(const std::string& target, int disk_number) = 0;
  // A platform error number that stamping a file met, shown as the number
  // alone in an error box; the run goes on.
  virtual void ReportErrorNumber(int error) = 0;
  // The target could not be created, for the reason given; its image is
  // decoded and thrown away. Setup.exe says nothing here: stamping the file
  // then fails and shows its error numbers. A host that wants the reason
  // may throw to end the run.
  virtual void TargetNotCreated(const std::string& /*target*/, const IoError& /*error*/) {}
};

// What the installation run asks of the installation page beyond that.
class InstallationHost : public InstallHost {
 public:
  // Shows Panel1, "Setup aktualisiert Ihr System...", over the progress
  // display and repaints it at once.
  virtual void ShowSystemUpdate() = 0;
  // There is no setup data: shows "Der Setup-Datensatz kann nicht gefunden
  // werden, die Installation wird abgebrochen." and requests the end of the
  // program.
  virtual void ReportNoSetupData() = 0;
  // Shows the finish dialog modally; returns once it has closed (at once
  // when the end of the program has been requested).
  virtual void ShowFinishDialog() = 0;
};

}  // namespace stp
