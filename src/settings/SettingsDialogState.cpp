// The one instance of the settings dialog's state, and the global names bound to it.
#include "settings/SettingsDialogState.h"

#include <memory>

namespace {

SettingsDialogState state;

}  // namespace

TForm7*& Form7 = state.Form7;

void ResetSettingsDialogState() {
  delete state.Form7;
  std::destroy_at(&state);
  std::construct_at(&state);
}
