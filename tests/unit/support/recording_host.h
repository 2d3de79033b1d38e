#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/install_host.h"

namespace stp::test {

// An installation host that records what the engine asks and answers as
// scripted. The page's own steps (panel, no setup data, finish dialog) go
// to events, where the other fakes of a test may log theirs too.
class RecordingHost : public InstallationHost {
 public:
  void ProcessMessages() override {}
  bool CancelConfirmed() override { return cancel_confirmed; }
  bool AskForDisk(int number, const std::string& source_directory) override {
    disk_prompts.emplace_back(number, source_directory);
    return on_disk_prompt ? on_disk_prompt(number) : false;
  }
  void Advance(std::uint32_t bytes) override {
    advanced += bytes;
    if (on_advance) on_advance();
  }
  void ShowTarget(const std::string& target, int disk_number) override {
    shown.emplace_back(target, disk_number);
  }
  void ReportErrorNumber(int error) override { error_numbers.push_back(error); }
  void TargetNotCreated(const std::string& target, const IoError& error) override {
    not_created.emplace_back(target, error.Code());
  }
  void ShowSystemUpdate() override { events.push_back("panel"); }
  void ReportNoSetupData() override { events.push_back("no setup data"); }
  void ShowFinishDialog() override { events.push_back("finish dialog"); }

  bool cancel_confirmed = false;
  std::function<void()> on_advance;
  std::function<bool(int)> on_disk_prompt;

  std::vector<std::pair<int, std::string>> disk_prompts;
  std::uint64_t advanced = 0;
  std::vector<std::pair<std::string, int>> shown;
  std::vector<int> error_numbers;
  std::vector<std::pair<std::string, int>> not_created;  // target, error number
  std::vector<std::string> events;
};

}  // namespace stp::test
