#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/install_host.h"

namespace stp::test {

// An InstallHost that records what the engine asks and answers as scripted.
class RecordingHost : public InstallHost {
 public:
  void ProcessMessages() override {
    ++messages_processed;
    if (on_messages) on_messages();
  }
  bool CancelConfirmed() override { return cancel_confirmed; }
  bool AskForDisk(int number, const std::string& source_directory) override {
    disk_prompts.emplace_back(number, source_directory);
    return on_disk_prompt ? on_disk_prompt(number) : false;
  }
  void Advance(std::uint32_t bytes) override { advanced += bytes; }
  void ShowTarget(const std::string& target, int disk_number) override {
    shown.emplace_back(target, disk_number);
  }
  void ReportErrorNumber(int error) override { error_numbers.push_back(error); }
  void RecordInstalledFile(int key, const std::string& target) override { recorded.emplace_back(key, target); }

  bool cancel_confirmed = false;
  std::function<void()> on_messages;
  std::function<bool(int)> on_disk_prompt;

  int messages_processed = 0;
  std::vector<std::pair<int, std::string>> disk_prompts;
  std::uint64_t advanced = 0;
  std::vector<std::pair<std::string, int>> shown;
  std::vector<int> error_numbers;
  std::vector<std::pair<int, std::string>> recorded;
};

}  // namespace stp::test
