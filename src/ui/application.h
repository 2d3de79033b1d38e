#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace ui {

class Form;

// The program's one application object: message loops, the quit request,
// the application title and the standard error display. It exists once, for
// as long as any window of the toolkit does (App() finds it).
class Application {
 public:
  explicit Application(HINSTANCE instance);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  HINSTANCE Instance() const { return instance_; }

  // The text of the error display's caption.
  void SetTitle(const std::string& title) { title_ = title; }
  const std::string& Title() const { return title_; }

  // The main form owns every form created after it; closing it ends the program.
  void SetMainForm(Form& form) { main_form_ = &form; }
  Form* MainForm() const { return main_form_; }

  // Creates a form from the constructor's arguments, makes it reachable
  // through instance, then runs its creation step; a failure of that step is
  // shown and the form kept.
  template <typename T, typename... Args>
  std::unique_ptr<T> CreateForm(T*& instance, Args&&... args) {
    auto form = std::make_unique<T>(std::forward<Args>(args)...);
    instance = form.get();
    Guarded([&form] { form->FormCreate(); });
    return form;
  }

  // Shows the main form and handles messages until the quit request.
  void Run();
  // Waits for one message and handles it.
  void HandleMessage();
  // Handles the messages that are waiting, then returns.
  void ProcessMessages();
  // The quit request: the main loop and every modal loop end as soon as the
  // handler that is running returns.
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Runs action; an exception that leaves it goes to the error display.
  void Guarded(const std::function<void()>& action);
  // The standard error display: a box with the application title as caption
  // and the error's message followed by a period.
  void ShowException(const std::exception& error);

  // Modal loops count themselves, so that a quit message seen inside one
  // can be passed on to the loops outside it.
  void EnterModal() { ++modal_depth_; }
  void LeaveModal() { --modal_depth_; }

  // The full path of the running program.
  static std::string ExeName();
  // The first command-line argument, empty when there is none.
  static std::string FirstArgument();

 private:
  void Dispatch(MSG& message);

  HINSTANCE instance_;
  std::string title_;
  Form* main_form_ = nullptr;
  bool terminated_ = false;
  int modal_depth_ = 0;
};

Application& App();

}  // namespace ui
