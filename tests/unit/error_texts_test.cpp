// The core's failures speak two languages: the German that Setup.exe shows,
// unchanged, and the English that stptool says, with the file and the
// numbers.

#include <gtest/gtest.h>

#include "engine/extraction.h"
#include "engine/setup_data_reader.h"
#include "port/errors.h"
#include "stptool/native_text.h"
#include "stptool/tool_host.h"
#include "support/thrown.h"

namespace stp {
namespace {

TEST(CoreErrors, CarryTheGermanOfSetupAndTheEnglishOfTheTool) {
  const struct {
    Error error;
    const char* german;
    const char* english;
  } kCases[] = {
      {IoError(kDiskFull, "write", "C:\\P\\a.txt", "No space left on device"),
       "Kapazität der Diskette/Festplatte erschöpft", "cannot write 'C:\\P\\a.txt': No space left on device"},
      {IoError(223, "write", "C:\\P\\a.txt", "File too large"), "I/O-Fehler 223",
       "cannot write 'C:\\P\\a.txt': File too large"},
      {MissingDiskError(3),
       "Die Installationsdiskette 3 wurde nicht eingelegt, die Installation wird abgebrochen",
       "volume 3 (Setup3.stp) was not given when it was asked for"},
  };
  for (const auto& c : kCases) {
    EXPECT_STREQ(c.error.what(), c.german);
    EXPECT_EQ(c.error.English(), c.english);
  }
  if (const auto e = test::Thrown<Error>([] { ExpandTarget("<windir>\\a.ini", {"C:\\P\\", "", ""}); })) {
    EXPECT_STREQ(e->what(), "Das Windows-Verzeichnis ist nicht bekannt");
    EXPECT_EQ(e->English(), "the Windows folder that '<windir>\\a.ini' names is not known");
  }
}

}  // namespace
}  // namespace stp

namespace stptool {
namespace {

// The tool says the English message, in the platform's form; a failure that
// only Setup.exe reports keeps its German and detail. The status goes by
// the kind of failure.
TEST(ToolMessages, AreTheCoresEnglishInThePlatformsForm) {
  const auto native = [](std::string text) {
#ifdef _WIN32
    for (char& c : text) c = c == '/' ? '\\' : c;
#endif
    return Shown(text);
  };
  const stp::IoError full(stp::kDiskFull, "write", "d\\a.txt", "No space left on device");
  EXPECT_EQ(CoreMessage(full), native("cannot write 'd/a.txt': No space left on device"));
  EXPECT_EQ(CoreFailure(full).Status(), kFailed);
  const stp::Error table("Eintrag 2 der Dateiliste in Setup.inf ist fehlerhaft",
                         "Setup.inf, [Files] 2: its offset 1 is negative", {});
  EXPECT_EQ(CoreMessage(table), "Setup.inf, [Files] 2: its offset 1 is negative");
  EXPECT_EQ(CoreFailure(table).Status(), kDamaged);
  EXPECT_EQ(CoreMessage(stp::Error("Kann nicht nach C:\\a schreiben", "write C:\\a")),
            native("Kann nicht nach C:/a schreiben (write C:/a)"));
}

}  // namespace
}  // namespace stptool
