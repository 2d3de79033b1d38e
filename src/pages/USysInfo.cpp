#include "pages/USysInfo.h"

#include "pages/UError.h"
#include "pages/system_values.h"
#include "setup/forms.h"
#include "system/system_info.h"
#include "unattended/unattended_installation.h"
#include "ui/application.h"

namespace {

constexpr ui::FontStyle kHeadingStyle{.bold = true};
constexpr ui::Colour kHeadingColour = RGB(0, 0, 0);

// Where the memory section moves when there is no processor section.
constexpr int kMemoryHeadingTop = 136;
constexpr int kMemoryValueTop = 160;

constexpr char kNtCaption[] = "Windows NT benötigt";

}  // namespace

TSysInfo::TSysInfo(stp::SetupState& state)
    : WizardPage(state, "TSysInfo", "Systeminformationen"),
      Label1(*this, {152, 24, 0, 0}, "Betriebssystem"),
      BetrSyst(*this, {160, 48, 0, 0}),
      Label2(*this, {160, 64, 0, 0}, "Version"),
      SystVer(*this, {272, 64, 0, 0}),
      Label3(*this, {160, 80, 0, 0}, "Build"),
      SystVerBuild(*this, {272, 80, 0, 0}),
      Label6(*this, {160, 96, 0, 0}, "Infos"),
      SystVerInf(*this, {272, 96, 0, 0}),
      Label4(*this, {152, 136, 0, 0}, "Prozessoren"),
      ProAnz(*this, {160, 160, 0, 0}),
      Label7(*this, {160, 176, 0, 0}, "Hauptprozessor"),
      ProTyp(*this, {264, 176, 0, 0}),
      ProVen(*this, {264, 192, 0, 0}),
      ProSpd(*this, {264, 208, 0, 0}),
      Label5(*this, {152, 232, 0, 0}, "Arbeitsspeicher"),
      MemoTot(*this, {160, 256, 0, 0}) {
  for (ui::Label* heading : {&Label1, &Label4, &Label5}) {
    heading->SetFontStyle(kHeadingStyle);
    heading->SetTextColour(kHeadingColour);
  }
  for (ui::Label* label :
       {&Label1, &BetrSyst, &Label2, &SystVer, &Label3, &SystVerBuild, &Label6, &SystVerInf, &Label4, &ProAnz,
        &Label7, &ProTyp, &ProVen, &ProSpd, &Label5, &MemoTot}) {
    label->SetAutoSize(true);
  }
}

void TSysInfo::FormShow() {
  const OSVERSIONINFOA version = QueryOsVersion();
  BetrSyst.SetCaption(stp::PlatformName(version.dwPlatformId));
  // A processor value that cannot be read ends the gathering here, with the
  // labels below keeping what they held.
  switch (static_cast<stp::Platform>(version.dwPlatformId)) {
    case stp::Platform::kWin32s: break;
    case stp::Platform::kWindows: LeaveOutProcessors(); break;
    case stp::Platform::kWindowsNT: ShowProcessors(); break;
  }
  SystVer.SetCaption(stp::VersionText(version.dwMajorVersion, version.dwMinorVersion));
  SystVerBuild.SetCaption(stp::BuildText(version.dwBuildNumber));
  SystVerInf.SetCaption(stp::ExtraVersionText(version.szCSDVersion, sizeof version.szCSDVersion));
  MemoTot.SetCaption(stp::MemoryText(TotalPhysicalMemory()));
  if (stp::NtRequirementFails(version.dwPlatformId, state_.Config().RequireNT)) RefuseWithoutNT();
}

void TSysInfo::ShowProcessors() {
  ProAnz.SetCaption(stp::ProcessorCountText(ProcessorCount()));
  const ProcessorKey key;
  ProTyp.SetCaption(key.ReadString("Identifier"));
  ProVen.SetCaption(key.ReadString("VendorIdentifier"));
  ProSpd.SetCaption(stp::SpeedText(key.ReadInteger("~MHZ")));
}

void TSysInfo::LeaveOutProcessors() {
  Label4.SetVisible(false);
  Label7.SetVisible(false);
  Label5.SetPosition(Label5.GetBounds().left, kMemoryHeadingTop);
  MemoTot.SetPosition(MemoTot.GetBounds().left, kMemoryValueTop);
}

void TSysInfo::RefuseWithoutNT() {
  TFehler& fehler = *Forms().fehler;
  fehler.SetCaption(kNtCaption);
  fehler.SetMessage(stp::kWindowsNtRequiredMessage);
  state_.Report().Record(stp::MessageKind::kError, stp::kWindowsNtRequiredMessage);
  state_.SetOutcome(stp::RunOutcome::kWindowsNtRequired);
  fehler.UseSingleButton();
  fehler.ShowModal();
  // Nothing has been installed yet; whichever way the dialog was left, setup ends.
  ui::App().Terminate();
}
