// The game screen's update: backButton, turns, bot pacing, clicks, view controls.
#include <array>
#include <cstddef>

#include "bots/bot.h"
#include "platform/platform.h"
#include "render/projection.h"
#include "rules/hover.h"
#include "rules/layout.h"
#include "rules/state.h"
#include "rules/win.h"
#include "screens/buttons.h"
#include "screens/game_screen.h"

int32_t botDelayFrames;

namespace {

constexpr double kDragPixelsPerDegree = 5.0;  // pixels of pointer travel per degree of turn
constexpr double kResetEasing = 0.9;          // fraction of an angle kept per resetting frame
constexpr double kResetSnapDegrees = 5.0;     // an easing angle strictly inside +-5 becomes 0
constexpr double kWTurnDegrees = 90.0;        // one wRotationButton click turns this far about w
constexpr double kWStepDegrees = 0.5;         // the w turn advances this much per frame

constexpr std::array<DimensionRules, kMaxDimensions - kMinDimensions + 1> kRulesByDimension{{
    {BotMove2D, CheckWin2D, UpdateHover2D},
    {BotMove3D, CheckWin3D, UpdateHover3D},
    {BotMove4D, CheckWin4D, UpdateHover4D},
    {BotMove5D, CheckWin5D, UpdateHover5D},
}};

// backButton counts its edges as inside, unlike the view Buttons. The new game
// starts at once; the caller finishes the frame's update on it.
void HandleBackButton() {
  backButton.hovered = PointInButton(backButton, frameInput.mouseX, frameInput.mouseY);
  if (!backButton.hovered || !frameInput.mouseReleased) return;
  StartNewGame();
  currentScreen = Menu;
  frameInput.inputCooldown = kScreenSwitchCooldownFrames;
}

// A release over an empty cell places the mover's mark and passes the turn.
// Grid lines, occupied cells and the space around the grids take nothing.
void PickCell() {
  const int cell = CellAtPoint(dimensionCount, cellSize, frameInput.mouseX, frameInput.mouseY);
  if (cell == kNoCell) return;
  int32_t& value = CellValue(dimensionCount, cell);
  if (value != 0) return;
  value = currentPlayer;
  currentPlayer = NextPlayer(currentPlayer);
}

// A bot waits kBotDelayFrames frames and moves on the next one. Only its move
// resets the count, so a wait cut short by backButton carries into the next game.
void PlayBotTurn(const DimensionRules& rules) {
  if (gameOver) {
    rules.updateHover();
    return;
  }
  if (botDelayFrames >= kBotDelayFrames) {
    rules.botMove();
    rules.checkWin();
    botDelayFrames = 0;
  } else {
    ++botDelayFrames;
  }
}

// The win check runs after every release, even one that placed nothing.
void PlayHumanTurn(const DimensionRules& rules) {
  if (!gameOver && frameInput.mouseReleased) {
    PickCell();
    rules.checkWin();
  }
  rules.updateHover();
}

// Shrinks an easing angle, snapping it to 0 once it is within the snap band.
double EaseTowardZero(double degrees) {
  degrees *= kResetEasing;
  return (-kResetSnapDegrees < degrees && degrees < kResetSnapDegrees) ? 0.0 : degrees;
}

// Easing back after resetButton wins over dragging; dragging works anywhere
// in the window, not only over the projected view. resetButton excludes its edges.
void UpdateViewControls() {
  if (viewResetting) {
    viewYaw = EaseTowardZero(viewYaw);
    viewPitch = EaseTowardZero(viewPitch);
    if (viewYaw == 0.0 && viewPitch == 0.0) viewResetting = false;
  } else if (frameInput.mouseHeld) {
    viewPitch += (frameInput.mouseY - frameInput.prevMouseY) / kDragPixelsPerDegree;
    viewYaw += (frameInput.mouseX - frameInput.prevMouseX) / kDragPixelsPerDegree;
  }

  resetButton.hovered = PointStrictlyInButton(resetButton, frameInput.mouseX, frameInput.mouseY);
  if (resetButton.hovered && frameInput.mouseReleased) viewResetting = true;
}

// Each click adds a quarter turn to the target and the angle climbs toward it
// at a fixed pace; an angle above its target drops straight onto it.
void UpdateWRotation() {
  wRotationButton.hovered =
      PointStrictlyInButton(wRotationButton, frameInput.mouseX, frameInput.mouseY);
  if (wRotationButton.hovered && frameInput.mouseReleased) wAngleTarget += kWTurnDegrees;

  if (wAngleTarget > wAngle) {
    wAngle += kWStepDegrees;
  } else if (wAngle > wAngleTarget) {
    wAngle = wAngleTarget;
  }
}

}  // namespace

void ResetBotPacing() { botDelayFrames = 0; }

const DimensionRules* RulesOf(int32_t dimensions) {
  if (dimensions < kMinDimensions || dimensions > kMaxDimensions) return nullptr;
  return &kRulesByDimension[static_cast<std::size_t>(dimensions - kMinDimensions)];
}

void UpdateGame() {
  // the assist lines are collected afresh by this frame's hover update
  if (assistMode) assistLines.clear();
  // backButton may start a new game; the rest of the update runs on it
  HandleBackButton();

  const DimensionRules* rules = RulesOf(dimensionCount);
  if (!rules) return;

  // a bot's wait or move, or a human's click
  if (IsBot(currentPlayer)) {
    PlayBotTurn(*rules);
  } else {
    PlayHumanTurn(*rules);
  }
  // a board without an empty cell is a draw
  CheckFullBoard();

  // only the projected views of 3D and 4D can be turned
  if (dimensionCount == 3 || dimensionCount == 4) UpdateViewControls();
  if (dimensionCount == 4) UpdateWRotation();
}
