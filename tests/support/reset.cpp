// Test support: puts every global of the game back to its start-up values.
#include "support/reset.h"

#include "app/shell.h"
#include "platform/platform.h"
#include "rules/state.h"
#include "screens/buttons.h"

void ResetGameGlobals() {
  SetStartValues();
  BuildMenuButtons();
  StartNewGame();
}
