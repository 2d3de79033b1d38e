#include "pages/USysInfo.h"

#include "pages/UInfo.h"
#include "pages/Verzeichnisse.h"
#include "setup/forms.h"

TSysInfo::TSysInfo() : WizardPage("TSysInfo", "Systeminformationen") {}

void TSysInfo::Button1Click() { MoveTo(*Forms().info); }

void TSysInfo::Button3Click() { MoveTo(*Forms().verzeichnis); }
