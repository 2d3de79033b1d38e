#include "setup/Setup32.h"

#include "maintenance/UWartung.h"
#include "pages/Abbrechen.h"
#include "pages/UExtInfo.h"
#include "pages/UInfo.h"
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

THaupt::THaupt(stp::SetupState& state)
    : ui::Form({.class_name = "THaupt", .border = ui::BorderStyle::kSizeable, .maximized = true}),
      state_(state),
      title_(*this, kTitleLeft, kTitleTop, kShadowOffset) {
  title_.SetFont({"Times New Roman", kTitleHeight, {.bold = true, .italic = true}});
}

void THaupt::FormCreate() {
  Configure(stp::ReadSetupConfiguration(stp::ProfileFile::Load(state_.SourceDirectory() + "Setup.inf")));
}

void THaupt::Configure(const stp::SetupConfiguration& config) {
  state_.Configure(config);
  SetColour(config.BackCl);
  title_.SetColours(config.FontCl, config.ShadowCl);
  title_.SetCaption(state_.ProductTitle());
  SetCaption(state_.WindowCaption());
  ui::App().SetTitle(state_.WindowCaption());
}

void THaupt::FormActivate() {
  if (state_.GetRunState() != stp::RunState::kNotStarted) return;
  state_.SetRunning();
  const std::string installed_directory =
      ReadRegString(HKEY_LOCAL_MACHINE, stp::ProductKey(state_.Config()), "Ort", state_.Report());
  if (installed_directory.empty()) {
    Forms().info->Show();
    return;
  }
  Forms().wartung->Show();
  if (state_.RemovalRequested()) Forms().wartung->RemoveAll();
}

bool THaupt::FormCloseQuery() {
  if (state_.GetRunState() == stp::RunState::kFinished) return true;
  Forms().abbruch->ShowModal();
  return false;
}

void THaupt::FormDblClick() { Forms().ext_info->ShowModal(); }
