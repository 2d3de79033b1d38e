#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "driver/driver.h"

// Acts on the test's own windows from inside whatever message loop the code
// under test runs, as a user would between two events.
class Script {
 public:
  Script();
  ~Script();
  Script(const Script&) = delete;
  Script& operator=(const Script&) = delete;

  // Runs action once a window of this class is shown in this thread and not
  // blocked by a modal window; the steps run in the order given.
  Script& When(const std::string& class_name, std::function<void(HWND)> action);
  // Answers every message box with its first button and keeps what it
  // said, as "caption: text".
  void AnswerMessageBoxes() { answer_boxes_ = true; }
  const std::vector<std::string>& Messages() const { return messages_; }
  bool Finished() const { return steps_.empty(); }

 private:
  struct Step {
    std::string class_name;
    std::function<void(HWND)> action;
  };

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void RunStep();

  std::deque<Step> steps_;
  bool answer_boxes_ = false;
  std::vector<std::string> messages_;
  UINT_PTR timer_;
  bool running_ = false;
};
