#include "ui/application.h"

#include <cstdlib>

#include "ui/form.h"
#include "ui/message_dialog.h"

namespace ui {

namespace {
Application* the_application = nullptr;
}  // namespace

Application& App() { return *the_application; }

Application::Application(HINSTANCE instance) : instance_(instance) { the_application = this; }

Application::~Application() {
  // A quit message left in the queue would end the next loop of the thread at once.
  MSG message;
  while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  the_application = nullptr;
}

void Application::Run() {
  if (main_form_ && !terminated_) main_form_->Show();
  while (!terminated_) HandleMessage();
}

void Application::HandleMessage() {
  MSG message;
  const BOOL result = GetMessageA(&message, nullptr, 0, 0);
  if (result == -1) {
    Terminate();
    return;
  }
  Dispatch(message);
}

void Application::ProcessMessages() {
  MSG message;
  while (!terminated_ && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) Dispatch(message);
}

void Application::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  // Loops that are not ours (a system dialog's) end on the quit message.
  PostQuitMessage(0);
}

void Application::Dispatch(MSG& message) {
  if (message.message == WM_QUIT) {
    terminated_ = true;
    if (modal_depth_ > 0) PostQuitMessage(static_cast<int>(message.wParam));
    return;
  }
  // Forms are no dialogs, so Enter, Escape and Tab are given to the dialog
  // manager here.
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root && dynamic_cast<Form*>(Window::FromHandle(root)) && IsDialogMessageA(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

void Application::Guarded(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    ShowException(error);
  }
}

void Application::ShowException(const std::exception& error) {
  try {
    MessageDlg(title_, std::string(error.what()) + ".", MsgDlgType::kError, {MsgDlgButton::kOk});
  } catch (const std::exception&) {
    // Without a dialog of our own, the system's box still tells the user.
    MessageBoxA(nullptr, error.what(), title_.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
  }
}

std::string Application::ExeName() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

std::string Application::FirstArgument() { return __argc > 1 ? __argv[1] : ""; }

}  // namespace ui
