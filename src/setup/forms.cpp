#include "setup/forms.h"

SetupForms& Forms() {
  static SetupForms forms;
  return forms;
}
