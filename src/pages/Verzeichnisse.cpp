#include "pages/Verzeichnisse.h"

#include "engine/Fortschritt.h"
#include "pages/USysInfo.h"
#include "setup/forms.h"

TVerzeichnis::TVerzeichnis() : WizardPage("TVerzeichnis", "Zielverzeichnis wählen") {}

void TVerzeichnis::Button1Click() { MoveTo(*Forms().sys_info); }

void TVerzeichnis::Button3Click() { MoveTo(*Forms().installation); }
