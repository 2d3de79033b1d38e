#pragma once

#include <memory>
#include <string>

#include "engine/Fortschritt.h"
#include "pages/Abbrechen.h"
#include "pages/Beenden.h"
#include "pages/UError.h"
#include "setup/Setup32.h"
#include "setup/forms.h"
#include "setup/profile.h"
#include "ui/application.h"

// The windows that the in-process tests drive, made as the program start
// makes them, for a product "Ruvuv Edider 2.0" configured further by these
// lines of Setup.inf's section General.
struct Program {
  explicit Program(const std::string& general = {}) {
    haupt = app.CreateForm(Forms().haupt, state);
    app.SetMainForm(*haupt);
    haupt->Configure(stp::ReadSetupConfiguration(stp::ProfileFile::Parse(
        "[General]\r\nOrganisation=Ruvuv\r\nProduct=Edider\r\nVersion=2.0\r\n" + general)));
    installation = app.CreateForm(Forms().installation, state);
    ende = app.CreateForm(Forms().ende, state);
    abbruch = app.CreateForm(Forms().abbruch, state);
    fehler = app.CreateForm(Forms().fehler);
  }
  ~Program() { Forms() = {}; }

  ui::Application app{GetModuleHandleA(nullptr)};
  stp::SetupState state{ui::Application::ExeName()};
  std::unique_ptr<THaupt> haupt;
  std::unique_ptr<TInstallation> installation;
  std::unique_ptr<TEnde> ende;
  std::unique_ptr<TAbbruch> abbruch;
  std::unique_ptr<TFehler> fehler;
};
