#include "setup/setup_log.h"

#include <gtest/gtest.h>

#include "port/file_system.h"
#include "setup/run_report.h"
#include "support/medium.h"
#include "support/temp_dir.h"

namespace stp {
namespace {

// A clock that moves one second per reading.
LogClock CountingClock() {
  return [second = 0]() mutable { return LogTime{2024, 3, 9, 7, 5, second++}; };
}

// An earlier log is kept, and each line is in the file at once: a run
// killed after it leaves it.
TEST(SetupLog, AppendsOneStampedLineEndingInCrLfPerEvent) {
  test::TempDir dir;
  dir.Write("setup.log", "earlier run\r\n");
  SetupLog log(dir.Path() + "setup.log", CountingClock());
  ASSERT_TRUE(log.IsWriting()) << log.Problem();
  log.Write("Start: Setup.exe /S");
  EXPECT_EQ(dir.Read("setup.log"), "earlier run\r\n2024-03-09 07:05:00 Start: Setup.exe /S\r\n");
  log.Write("zwei\r\nZeilen\nwerden eine: Größe");
  EXPECT_EQ(dir.Read("setup.log"),
            "earlier run\r\n2024-03-09 07:05:00 Start: Setup.exe /S\r\n"
            "2024-03-09 07:05:01 zwei  Zeilen werden eine: Gr\xF6\xDF"
            "e\r\n");
}

// A log that cannot be written costs the log, never the run.
TEST(SetupLog, ALogThatCannotBeWrittenIsAProblemNotAFailure) {
  test::TempDir dir;
  dir.Write("read-only.log", "");
  dir.SetReadOnly("read-only.log");
  const std::string kPaths[] = {dir.Path() + "missing\\setup.log", dir.Path(), dir.Path() + "read-only.log"};
  for (const std::string& path : kPaths) {
    SetupLog log(path, CountingClock());
    EXPECT_FALSE(log.IsWriting()) << path;
    EXPECT_NO_THROW(log.Write("lost"));
    EXPECT_EQ(log.Problem().rfind("Das Protokoll " + path + " kann nicht geschrieben werden: ", 0), 0u)
        << log.Problem();
  }
  SetupLog none;
  EXPECT_NO_THROW(none.Write("nowhere"));
  EXPECT_EQ(none.Problem(), "");
}

class Boxes : public MessageSink {
 public:
  void Show(MessageKind, const std::string& text, const std::string& detail) override {
    shown.push_back(text + "|" + detail);
  }
  std::vector<std::string> shown;
};

TEST(RunReport, LogsCountsAndShowsMessages) {
  test::TempDir dir;
  SetupLog log(dir.Path() + "setup.log", [] { return LogTime{2024, 12, 31, 23, 59, 59}; });
  Boxes boxes;
  RunReport report(log, &boxes);
  LogStart(log, "\"C:\\Medium\\Setup.exe\" /LOG=C:\\setup.log");
  LogProduct(log, test::SampleProduct());
  report.Show(MessageKind::kError, "Fehler beim Zugriff auf die Systemregistrierung aufgetreten.",
              "Software\\Beispiel\\Textwerk\\2.0");
  report.Show(MessageKind::kInformation, "Nur zur Kenntnis.");
  report.Record(MessageKind::kWarning, "Nicht gezeigt", "weil der Aufrufer es zeigt");
  report.Record(MessageKind::kError, "Auch nicht gezeigt");
  report.Event("Datei: C:\\Ziel\\a.txt");
  LogEnd(log, RunOutcome::kInstalledWithErrors);

  EXPECT_EQ(report.Errors(), 2);
  EXPECT_EQ(boxes.shown,
            (std::vector<std::string>{"Fehler beim Zugriff auf die Systemregistrierung aufgetreten.|"
                                      "Software\\Beispiel\\Textwerk\\2.0",
                                      "Nur zur Kenntnis.|"}));
  EXPECT_EQ(dir.Read("setup.log"),
            "2024-12-31 23:59:59 Start: \"C:\\Medium\\Setup.exe\" /LOG=C:\\setup.log\r\n"
            "2024-12-31 23:59:59 Produkt: Beispiel Textwerk 2.0 (Eintrag BeispielTextwerk2.0)\r\n"
            "2024-12-31 23:59:59 Fehler: Fehler beim Zugriff auf die Systemregistrierung aufgetreten. "
            "(Software\\Beispiel\\Textwerk\\2.0)\r\n"
            "2024-12-31 23:59:59 Information: Nur zur Kenntnis.\r\n"
            "2024-12-31 23:59:59 Warnung: Nicht gezeigt (weil der Aufrufer es zeigt)\r\n"
            "2024-12-31 23:59:59 Fehler: Auch nicht gezeigt\r\n"
            "2024-12-31 23:59:59 Datei: C:\\Ziel\\a.txt\r\n"
            "2024-12-31 23:59:59 Ergebnis: Installation abgeschlossen, mit Fehlern\r\n"
            "2024-12-31 23:59:59 Ende: Exitcode 1603\r\n");
}

}  // namespace
}  // namespace stp
