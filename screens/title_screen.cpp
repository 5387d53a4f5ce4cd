// The title screen: the Buttons' hover, latch and click, and the screen's drawing.
#include "screens/title_screen.h"

#include <SDL.h>

#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "render/colours.h"
#include "render/text.h"
#include "rules/state.h"
#include "screens/buttons.h"

double backgroundRed;
int32_t backgroundRedStep;
double backgroundBlue;
int32_t backgroundBlueStep;

namespace {

const char* const kTitleText = "Zarnith";

constexpr uint32_t kSeedClickModulus = 100000;  // rand() is cut to this before the pointer product

constexpr double kRedStep = 0.1;    // red level per frame: 500 frames from 0 to 50
constexpr double kBlueStep = 0.15;  // blue level per frame

constexpr int kTitlePoints = 72;    // "Zarnith"
constexpr int kLabelShift = 2;      // pixels a label sinks (selected) or rises (hovered)
constexpr int kTitleMiddleY = 150;  // pixels from the top to the title's middle

// ---- Update -----------------------------------------------------------------

// Moves a level one step and turns it round at either limit.
void StepLevel(double& level, int32_t& step, double perFrame) {
  level += step * perFrame;
  if (level >= kBackgroundLevelHigh) {
    level = kBackgroundLevelHigh;
    step = -1;
  } else if (level <= kBackgroundLevelLow) {
    level = kBackgroundLevelLow;
    step = 1;
  }
}

// PlayAction: the game screen runs from the next frame, and the generator is
// reseeded from rand() and the click position so that games differ. The
// product wraps in unsigned 32-bit arithmetic; signed overflow would be undefined.
void StartPlaying() {
  frameInput.inputCooldown = kScreenSwitchCooldownFrames;
  currentScreen = Game;
  const auto r = static_cast<uint32_t>(std::rand());
  const uint32_t seed = (r % kSeedClickModulus) * static_cast<uint32_t>(frameInput.mouseY) *
                        static_cast<uint32_t>(frameInput.mouseX);
  std::srand(seed);
}

// Players, bots or difficulty: the first value the Button carries. Bots never
// outnumber the players: fewer players pull the bots down, and a bots Button
// above the player count is ignored.
void ApplySetting(const Button& b) {
  if (b.playerValue > 0) {
    playerCount = b.playerValue;
    if (botCount >= playerCount) botCount = playerCount;
  } else if (b.botValue > -1) {
    if (playerCount >= b.botValue) botCount = b.botValue;
  } else if (b.difficultyValue != NoDifficulty) {
    difficulty = b.difficultyValue;
  }
}

// A click on a hovered Button that has not fired since the pointer came onto it.
void FireButton(Button& b) {
  b.latched = true;
  switch (b.action) {
    case QuitAction:
      running = false;
      break;
    case PlayAction:
      StartPlaying();
      break;
    case AssistAction:
      assistMode = !assistMode;
      break;
    case NoAction:
      if (b.dimensionValue > 0) {
        cellSize = b.cellSizeValue;
        dimensionCount = b.dimensionValue;
      } else {
        ApplySetting(b);
      }
      break;
  }
}

// ---- Drawing ----------------------------------------------------------------

// Paints the whole canvas in the colour cycle's colour: the only clear.
void FillBackground() {
  const int r = static_cast<int>(backgroundRed);
  const int b = static_cast<int>(backgroundBlue);
  const SDL_Color colour{static_cast<Uint8>(r), static_cast<Uint8>(kBackgroundRedGreenSum - r),
                         static_cast<Uint8>(b), 255};
  SetDrawColour(colour);
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
  const SDL_Rect all{0, 0, kCanvasWidth, kCanvasHeight};
  SDL_RenderFillRect(renderer, &all);
}

// A setting Button is selected when its value is the setting's current value;
// of the actions only AssistAction can be, while assist is on.
bool IsSelected(const Button& b) {
  if (IsActionButton(b)) return b.action == AssistAction && assistMode;
  return b.dimensionValue == dimensionCount || b.playerValue == playerCount ||
         b.botValue == botCount || b.difficultyValue == difficulty;
}

// Centred label; a selected Button's sinks down-left, a hovered one's rises up-right.
void DrawLabel(const Button& b, bool selected) {
  int dx = 0, dy = 0;
  if (selected) {
    dx = -kLabelShift;
    dy = kLabelShift;
  } else if (b.hovered) {
    dx = kLabelShift;
    dy = -kLabelShift;
  }
  DrawText(FontOfSize(b.labelPoints), b.label, [&](int tw, int th) {
    const SDL_Point centred = LabelCorner(b, tw, th);
    return SDL_Point{centred.x + dx, centred.y + dy};
  });
}

void FillOverlay(const Button& b, SDL_Color colour, SDL_BlendMode mode) {
  SetDrawColour(colour, colour.a);
  SDL_SetRenderDrawBlendMode(renderer, mode);
  const SDL_Rect area{b.x, b.y, b.w, b.h};
  SDL_RenderFillRect(renderer, &area);
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
}

// NOTE: a hovered AssistAction Button is lightened even while on, so the pointer
// shows on it, whereas a hovered selected setting Button stays dark.
void DrawOverlay(const Button& b, bool selected) {
  if (b.action == AssistAction && assistMode && b.hovered) {
    FillOverlay(b, kTitleHoverTint, SDL_BLENDMODE_ADD);
  } else if (selected) {
    FillOverlay(b, kSelectedShade, SDL_BLENDMODE_BLEND);
  } else if (b.hovered) {
    FillOverlay(b, kTitleHoverTint, SDL_BLENDMODE_ADD);
  }
}

void DrawMenuButton(const Button& b) {
  const bool selected = IsSelected(b);
  DrawButtonOutline(b);
  DrawLabel(b, selected);
  DrawOverlay(b, selected);
}

// Centred across the canvas with its middle on y = 150.
void DrawTitle() {
  DrawText(FontOfSize(kTitlePoints), kTitleText, [](int tw, int th) {
    return SDL_Point{(kCanvasWidth - tw) / 2, kTitleMiddleY - th / 2};
  });
}

}  // namespace

void ResetTitleBackground() {
  backgroundRed = 0.0;
  backgroundRedStep = 1;
  backgroundBlue = 25.0;
  backgroundBlueStep = 1;
}

void UpdateMenu() {
  // The colour cycle moves with the frames of game time, however often they are drawn.
  StepLevel(backgroundRed, backgroundRedStep, kRedStep);
  StepLevel(backgroundBlue, backgroundBlueStep, kBlueStep);
  // Every Button is visited even after one fires, so all hover flags stay current.
  for (Button& b : menuButtons) {
    // Edges count as inside; leaving the Button releases its latch.
    b.hovered = PointInButton(b, frameInput.mouseX, frameInput.mouseY);
    if (!b.hovered) b.latched = false;
    if (frameInput.mouseReleased && b.hovered && !b.latched) FireButton(b);
  }
}

void DrawMenu() {
  FillBackground();
  for (const Button& b : menuButtons) DrawMenuButton(b);
  DrawTitle();
  SDL_RenderPresent(renderer);
}
