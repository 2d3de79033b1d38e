#include "signals.h"

#include <csignal>

#include "tool_error.h"

namespace stptool {
namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnSignal(int number) {
  if (interrupted != 0) {
    std::signal(number, SIG_DFL);
    std::raise(number);
    return;
  }
  interrupted = 1;
}

// A signal ignored from the start stays ignored, as nohup and a shell's
// background jobs want it.
void Catch(int number) {
#ifdef _WIN32
  if (std::signal(number, OnSignal) == SIG_IGN) std::signal(number, SIG_IGN);
#else
  struct sigaction old {};
  if (sigaction(number, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) return;
  // Without SA_RESTART, so that a read waiting at the volume prompt ends.
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(number, &action, nullptr);
#endif
}

}  // namespace

void CatchSignals() {
  Catch(SIGINT);
  Catch(SIGTERM);
#ifndef _WIN32
  Catch(SIGHUP);
  std::signal(SIGXFSZ, SIG_IGN);
#endif
}

bool Interrupted() { return interrupted != 0; }

void StopIfInterrupted() {
  if (Interrupted()) throw ToolError("interrupted", kFailed);
}

}  // namespace stptool
