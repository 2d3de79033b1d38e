#pragma once

#include <cstdint>
#include <string>

namespace stp {

// What the installation engine asks of whoever runs it: the installation
// page of Setup.exe, or stptool on a terminal. The engine never shows a
// window itself.
class InstallHost {
 public:
  virtual ~InstallHost() = default;

  // Lets pending window messages run (repaint, the Cancel button).
  virtual void ProcessMessages() = 0;
  // True once the user has confirmed cancelling; it never goes back.
  virtual bool CancelConfirmed() = 0;
  // Asks for diskette `number` to be put into the drive of the source
  // directory; true when the user answered OK.
  virtual bool AskForDisk(int number, const std::string& source_directory) = 0;
  // The progress gauge advances by this many decompressed bytes.
  virtual void Advance(std::uint32_t bytes) = 0;
  // The file about to be extracted and the volume it starts in (0 for a
  // single setup data file).
  virtual void ShowTarget(const std::string& target, int disk_number) = 0;
  // A platform error number that stamping a file met; the run goes on.
  virtual void ReportErrorNumber(int error) = 0;
  // The file with this key of the file table is installed at target.
  virtual void RecordInstalledFile(int key, const std::string& target) = 0;
};

}  // namespace stp
