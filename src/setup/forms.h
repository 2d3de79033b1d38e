#pragma once

class THaupt;
class TExtInfo;
class TVerzeichnis;
class TInstallation;
class TEnde;
class TAbbruch;
class TFehler;
class TInfo;
class TWartung;
class TSysInfo;
class TSelectFolder;

// The single instance of every window. The program start creates them in
// this order and they live until the program ends; windows reach one another
// through here.
struct SetupForms {
  THaupt* haupt = nullptr;
  TExtInfo* ext_info = nullptr;
  TVerzeichnis* verzeichnis = nullptr;
  TInstallation* installation = nullptr;
  TEnde* ende = nullptr;
  TAbbruch* abbruch = nullptr;
  TFehler* fehler = nullptr;
  TInfo* info = nullptr;
  TWartung* wartung = nullptr;
  TSysInfo* sys_info = nullptr;
  TSelectFolder* select_folder = nullptr;
};

SetupForms& Forms();
