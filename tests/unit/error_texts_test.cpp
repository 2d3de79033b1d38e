// The core's failures speak two languages: the German that Setup.exe shows,
// unchanged, and the English that stptool says, with the file and the
// numbers.

#include <gtest/gtest.h>

#include <functional>

#include "engine/content_check.h"
#include "engine/extraction.h"
#include "engine/setup_data_reader.h"
#include "port/errors.h"
#include "port/file_system.h"
#include "stptool/native_text.h"
#include "stptool/tool_host.h"
#include "support/temp_dir.h"

namespace stp {
namespace {

FileTable Table(const std::vector<std::string>& entries, const std::string& next_offset) {
  FileTable table;
  for (const std::string& entry : entries) {
    const auto comma = entry.find(',');
    const auto bar = entry.find('|');
    table.FileTargets.push_back(entry.substr(0, comma));
    table.FileOffsets.push_back(entry.substr(comma + 1, bar - comma - 1));
    table.FileTimes.push_back(entry.substr(bar + 1));
  }
  table.FileOffsets.push_back(next_offset);
  return table;
}

TEST(CoreErrors, CarryTheGermanOfSetupAndTheEnglishOfTheTool) {
  const struct {
    const char* name;
    std::function<void()> fail;
    std::string german;
    std::string english;
  } kCases[] = {
      {"a full disk", [] { throw IoError(kDiskFull, "write", "C:\\P\\a.txt", "No space left on device"); },
       "Kapazität der Diskette/Festplatte erschöpft", "cannot write 'C:\\P\\a.txt': No space left on device"},
      {"a file-size limit", [] { throw IoError(223, "write", "C:\\P\\a.txt", "File too large"); },
       "I/O-Fehler 223", "cannot write 'C:\\P\\a.txt': File too large"},
      {"a folder in a file's place",
       [] { throw IoError(kAccessDenied, "create", "C:\\P\\a", "Is a directory"); },
       "Dateizugriff verweigert", "cannot create 'C:\\P\\a': Is a directory"},
      {"a number that is none", [] { TableNumber("abc"); }, "'abc' ist kein gültiger Integerwert",
       "'abc' is not a number"},
      {"an offset that is none", [] { CheckedFileEntry(Table({"a,zero|0&0"}, "5"), 0); },
       "'zero' ist kein gültiger Integerwert", "Setup.inf, [Files] 1: the offset 'zero' is not a number"},
      {"a NextOffset that is none", [] { CheckedFileEntry(Table({"a,0|0&0"}, "end"), 0); },
       "'end' ist kein gültiger Integerwert", "Setup.inf: NextOffset 'end' is not a number"},
      {"a time that is none",
       [] {
         CheckedFileEntry(Table({"a,0|0&0", "b,0|soon"}, "5"), 1);
       },
       "'soon' ist kein gültiger Integerwert",
       "Setup.inf, [Files] 2: the time 'soon' (low&high): 'soon' is not a number"},
      {"offsets running backwards",
       [] {
         CheckedFileEntry(Table({"a,0|0&0", "b,10|0&0"}, "5"), 1);
       },
       "Eintrag 2 der Dateiliste in Setup.inf ist fehlerhaft",
       "Setup.inf, [Files] 2: its offset 10 lies after NextOffset, 5, which would give its data a negative "
       "length"},
      {"a negative offset",
       [] {
         CheckedFileEntry(Table({"a,-4|0&0", "b,0|0&0"}, "5"), 0);
       },
       "Eintrag 1 der Dateiliste in Setup.inf ist fehlerhaft",
       "Setup.inf, [Files] 1: its offset -4 is negative"},
      {"a missing diskette", [] { throw MissingDiskError(3); },
       "Die Installationsdiskette 3 wurde nicht eingelegt, die Installation wird abgebrochen",
       "volume 3 (Setup3.stp) was not given when it was asked for"},
      {"setup data cut short", [] { throw IncompleteDataError("A:\\Setup2.stp", "it holds 7 bytes"); },
       "Der Setup-Datensatz A:\\Setup2.stp ist unvollständig",
       "'A:\\Setup2.stp' is incomplete: it holds 7 bytes"},
      {"no Windows folder",
       [] {
         ExpandTarget("<windir>\\a.ini", {"C:\\P\\", "", ""});
       },
       "Das Windows-Verzeichnis ist nicht bekannt",
       "the Windows folder that '<windir>\\a.ini' names is not known"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    try {
      c.fail();
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), c.german);
      EXPECT_EQ(e.English(), c.english);
    }
  }
}

TEST(CoreErrors, NameTheFileAndThePlatformsReasonOfAFailedCall) {
  test::TempDir dir;
  const std::string path = dir.Path() + "missing\\a.txt";
  try {
    port::File::Create(path);
    ADD_FAILURE() << "no error";
  } catch (const IoError& e) {
    EXPECT_EQ(e.Path(), path);
    EXPECT_FALSE(e.Reason().empty());
    EXPECT_EQ(e.English(), "cannot create '" + path + "': " + e.Reason());
    EXPECT_EQ(e.what(), IoErrorText(e.Code()));
  }
}

}  // namespace
}  // namespace stp

namespace stptool {
namespace {

// The tool says the English message, in the platform's form; a failure
// that only Setup.exe reports keeps its German and detail.
TEST(ToolMessages, AreTheCoresEnglishInThePlatformsForm) {
  const struct {
    const char* name;
    stp::Error error;
    const char* message;
    ExitStatus status;
  } kCases[] = {
      {"an input/output failure",
       stp::IoError(stp::kDiskFull, "write", "d\\a.txt", "No space left on device"),
       "cannot write 'd/a.txt': No space left on device", kFailed},
      {"a damaged table",
       stp::Error("Eintrag 2 der Dateiliste in Setup.inf ist fehlerhaft",
                  "Setup.inf, [Files] 2: its offset 1 is negative", {}),
       "Setup.inf, [Files] 2: its offset 1 is negative", kDamaged},
      {"German only", stp::Error("Kann nicht nach C:\\a schreiben", "write C:\\a"),
       "Kann nicht nach C:/a schreiben (write C:/a)", kDamaged},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
#ifdef _WIN32
    std::string expected = c.message;
    for (char& ch : expected) {
      if (ch == '/') ch = '\\';
    }
#else
    const std::string expected = c.message;
#endif
    EXPECT_EQ(CoreMessage(c.error), Shown(expected));
  }
  // The status goes by the kind of failure.
  EXPECT_EQ(CoreFailure(stp::IoError(stp::kDiskFull, "write", "a", "full")).Status(), kFailed);
  EXPECT_EQ(CoreFailure(stp::Error("x", "y", {})).Status(), kDamaged);
}

// The engine makes folders without a word; a target that could not be
// created is reported with the reason of its folder where that is missing,
// else with its own, never with the error of stamping it afterwards.
TEST(ToolHost, ReportsWhyATargetCouldNotBeCreated) {
  stp::test::TempDir dir;
  dir.Write("file", "in the way");
  const struct {
    const char* name;
    std::string target;
    const char* message;
  } kCases[] = {
      {"the target's own reason", dir.Path() + "a.txt", "cannot create '"},
      {"its folder's reason", dir.Path() + "file\\sub\\a.txt", "is in the way, and it is no folder"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Progress quiet(false);
    ToolHost host({}, quiet);
    try {
      host.TargetNotCreated(c.target,
                            stp::IoError(stp::kAccessDenied, "create", c.target, "Permission denied"));
      ADD_FAILURE() << "no error";
    } catch (const ToolError& e) {
      EXPECT_EQ(e.Status(), kUserError);
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace stptool
