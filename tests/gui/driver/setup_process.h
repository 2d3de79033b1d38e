#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace driver {

// A medium of its own for one scenario: a folder below the temporary
// directory holding a copy of Setup.exe from beside the test program, the
// given Setup.inf (none when absent) and, when a colour is given, a
// setup.bmp of that colour. Starts Setup.exe from there; whatever is still
// running and the folder go when the object does.
class SetupProcess {
 public:
  SetupProcess(const std::string& name, const std::optional<std::string>& setup_inf,
               std::optional<COLORREF> picture_colour);
  // Runs the Setup.exe of a medium that exists already, and leaves the medium alone.
  explicit SetupProcess(std::string medium_directory);
  ~SetupProcess();
  SetupProcess(const SetupProcess&) = delete;
  SetupProcess& operator=(const SetupProcess&) = delete;

  // Starts Setup.exe with a command-line argument (none when empty); false
  // when the process could not be made.
  bool Start(const std::string& argument = {});
  DWORD Id() const { return process_.dwProcessId; }
  bool WaitForExit();
  bool Running() const;
  DWORD ExitCode() const;
  // The medium folder, ending in "\".
  const std::string& Directory() const { return directory_; }

 private:
  std::string directory_;
  bool owns_directory_ = true;
  PROCESS_INFORMATION process_{};
};

// The picture every scenario's pages show, in a colour that nothing else has.
constexpr COLORREF kPictureColour = RGB(200, 40, 90);
// Size of the picture file a scenario writes: as large as the panel's inside.
constexpr int kPictureWidth = 119;
constexpr int kPictureHeight = 258;

// Writes a 24-bit Windows bitmap of one colour.
void WriteBitmapFile(const std::string& path, int width, int height, COLORREF colour);
// Writes the pixels of a screen area as a 24-bit Windows bitmap.
void WriteScreenBitmap(const std::string& path, const RECT& area);

// The product key "Software\Organisation\Product\EVersion" and its "Ort"
// value, as an installation leaves them; the whole "Software\Organisation"
// tree goes when the object does.
class ProductKey {
 public:
  ProductKey(std::string organisation, const std::string& product, const std::string& eversion);
  ~ProductKey();
  ProductKey(const ProductKey&) = delete;
  ProductKey& operator=(const ProductKey&) = delete;

  void MarkInstalled(const std::string& directory) const;
  bool Exists() const;

 private:
  std::string organisation_;
  std::string path_;
};

// Makes Wine report another Windows version ("win98", "nt40") to every
// Setup.exe started while the object lives; the test program itself is not
// affected.
class ReportedWindows {
 public:
  explicit ReportedWindows(const std::string& version);
  ~ReportedWindows();
  ReportedWindows(const ReportedWindows&) = delete;
  ReportedWindows& operator=(const ReportedWindows&) = delete;
};

// One value of the first processor's registry key, changed for a scenario
// and put back as it was when the object goes.
class ProcessorValue {
 public:
  explicit ProcessorValue(std::string name);
  ~ProcessorValue();
  ProcessorValue(const ProcessorValue&) = delete;
  ProcessorValue& operator=(const ProcessorValue&) = delete;

  // What the key held when the object was made, an integer in decimals;
  // empty when it was missing.
  const std::string& SavedText() const { return saved_text_; }
  void SetString(const std::string& value) const;
  void SetInteger(DWORD value) const;
  void Remove() const;

 private:
  std::string name_;
  bool existed_ = false;
  DWORD type_ = 0;
  std::string saved_;
  std::string saved_text_;
};

}  // namespace driver
