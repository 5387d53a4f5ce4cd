// Test support: puts every global of the game back to its start-up values.
#include "support/reset.h"

#include "app/shell.h"
#include "rules/hover.h"
#include "rules/state.h"
#include "rules/turn.h"
#include "title/buttons.h"
#include "title/menu.h"

void ResetGameGlobals() {
  dimensionCount = 3;
  playerCount = 3;
  botCount = 0;
  difficulty = 1;
  assistMode = false;
  cellSize = 60;
  hoveredCell2.assign(2, 0);
  hoveredCell3.assign(3, 0);
  hoveredCell4.assign(4, 0);
  hoveredCell5.assign(5, 0);
  StartNewGame();

  assistLines.clear();
  botDelayFrames = 0;
  viewYaw = viewPitch = 0.0;
  viewResetting = false;
  wAngle = wAngleTarget = 0.0;

  frameInput = FrameInput{};
  running = true;
  fullscreen = false;
  currentScreen = Menu;

  backgroundRed = 0.0;
  backgroundRedStep = 1;
  backgroundBlue = 25.0;
  backgroundBlueStep = 1;

  menuButtons.clear();
  BuildMenuButtons();
}
