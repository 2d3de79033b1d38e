#include "setup/Setup32.h"

#include "maintenance/UWartung.h"
#include "pages/Abbrechen.h"
#include "pages/UExtInfo.h"
#include "pages/UInfo.h"
#include "setup/command_line.h"
#include "setup/forms.h"
#include "setup/profile.h"
#include "system/registry.h"
#include "ui/application.h"

namespace {

constexpr int kTitleHeight = -35;  // character height in pixels
constexpr int kTitleLeft = 8;
constexpr int kTitleTop = 8;
// The shadow lies 3 pixels to the right of the title and 5 pixels below it.
constexpr SIZE kShadowOffset{3, 5};

}  // namespace

std::string SourceDirectory() {
  const std::string program = ui::Application::ExeName();
  return program.substr(0, program.find_last_of("\\:") + 1);
}

THaupt::THaupt()
    : ui::Form({.class_name = "THaupt", .border = ui::BorderStyle::kSizeable, .maximized = true}),
      title_(*this, kTitleLeft, kTitleTop, kShadowOffset) {
  title_.SetFont({"Times New Roman", kTitleHeight, {.bold = true, .italic = true}});
}

void THaupt::FormCreate() {
  Configure(stp::ReadSetupConfiguration(stp::ProfileFile::Load(SourceDirectory() + "Setup.inf")));
}

void THaupt::Configure(const stp::SetupConfiguration& config) {
  config_ = config;
  SetColour(config_.BackCl);
  title_.SetColours(config_.FontCl, config_.ShadowCl);
  product_title_ = stp::ProductTitle(config_);
  title_.SetCaption(product_title_);
  window_caption_ = stp::WindowCaption(config_);
  SetCaption(window_caption_);
  ui::App().SetTitle(window_caption_);
}

void THaupt::FormActivate() {
  if (run_state_ != RunState::kNotStarted) return;
  run_state_ = RunState::kRunning;
  const std::string installed_directory = ReadRegString(HKEY_LOCAL_MACHINE, stp::ProductKey(config_), "Ort");
  if (installed_directory.empty()) {
    Forms().info->Show();
    return;
  }
  Forms().wartung->Show();
  if (stp::IsRemovalSwitch(ui::Application::FirstArgument())) Forms().wartung->RemoveAll();
}

bool THaupt::FormCloseQuery() {
  if (run_state_ == RunState::kFinished) return true;
  Forms().abbruch->ShowModal();
  return false;
}

void THaupt::FormDblClick() { Forms().ext_info->ShowModal(); }
