// The Button record, the 19 title-screen Buttons and the three game-screen Buttons.
#include "screens/buttons.h"

#include "platform/platform.h"
#include "render/colours.h"
#include "rules/layout.h"

std::vector<Button> menuButtons;
Button backButton;
Button resetButton;
Button wRotationButton;

namespace {

constexpr int32_t kOutlineCornerGap = 10;  // pixels left open at each end of an outline side

constexpr int kLabelPoints = 36;       // most labels
constexpr int kDifficultyPoints = 30;  // "Easy", "Meh", "Hard"
constexpr int kSmallLabelPoints = 24;  // the three smallest Buttons and the view Buttons

// One row of the table: the rectangle, the label's point size, the values a
// click sets (players, dimensions with their cell size, bots, difficulty; the
// defaults set nothing) and the action.
Button MakeButton(const char* label, SDL_Rect r, int points, int32_t players = 0,
                  int32_t dimensions = 0, int32_t bots = -1, Difficulty level = NoDifficulty,
                  ButtonAction action = NoAction) {
  const int32_t side = dimensions > 0 ? CellSizeFor(dimensions) : 0;
  return {r.x,  r.y,   r.w,   r.h,  label, players, dimensions,
          bots, level, false, side, false, action,  points};
}

}  // namespace

void BuildMenuButtons() {
  menuButtons.clear();
  // Four columns: dimensions, players, bots, and on the right the actions
  // above the difficulties. Smallest value on top, 100 pixels per step down.
  menuButtons.push_back(MakeButton("5 Dimensions", {150, 650, 360, 60}, kLabelPoints, 0, 5));
  menuButtons.push_back(MakeButton("4 Dimensions", {150, 550, 360, 60}, kLabelPoints, 0, 4));
  menuButtons.push_back(MakeButton("3 Dimensions", {150, 450, 360, 60}, kLabelPoints, 0, 3));
  menuButtons.push_back(MakeButton("2 Dimensions", {150, 350, 360, 60}, kLabelPoints, 0, 2));
  menuButtons.push_back(MakeButton("5 Players", {550, 650, 300, 60}, kLabelPoints, 5));
  menuButtons.push_back(MakeButton("4 Players", {550, 550, 300, 60}, kLabelPoints, 4));
  menuButtons.push_back(MakeButton("3 Players", {550, 450, 300, 60}, kLabelPoints, 3));
  menuButtons.push_back(MakeButton("2 Players", {550, 350, 300, 60}, kLabelPoints, 2));
  menuButtons.push_back(MakeButton("4 Bots", {900, 750, 200, 60}, kLabelPoints, 0, 0, 4));
  menuButtons.push_back(MakeButton("3 Bots", {900, 650, 200, 60}, kLabelPoints, 0, 0, 3));
  menuButtons.push_back(MakeButton("2 Bots", {900, 550, 200, 60}, kLabelPoints, 0, 0, 2));
  menuButtons.push_back(MakeButton("1 Bots", {900, 450, 200, 60}, kLabelPoints, 0, 0, 1));
  menuButtons.push_back(MakeButton("0 Bots", {900, 350, 200, 60}, kLabelPoints, 0, 0, 0));
  menuButtons.push_back(
      MakeButton("Easy", {1225, 625, 150, 40}, kDifficultyPoints, 0, 0, -1, Easy));
  menuButtons.push_back(MakeButton("Meh", {1225, 685, 150, 40}, kDifficultyPoints, 0, 0, -1, Meh));
  menuButtons.push_back(
      MakeButton("Hard", {1225, 745, 150, 40}, kDifficultyPoints, 0, 0, -1, Hard));
  menuButtons.push_back(
      MakeButton("Play", {1200, 350, 200, 60}, kLabelPoints, 0, 0, -1, NoDifficulty, PlayAction));
  menuButtons.push_back(MakeButton("Assist Mode", {1175, 450, 250, 40}, kSmallLabelPoints, 0, 0, -1,
                                   NoDifficulty, AssistAction));
  menuButtons.push_back(MakeButton("Quit", {1250, 530, 100, 35}, kSmallLabelPoints, 0, 0, -1,
                                   NoDifficulty, QuitAction));

  // The game screen handles each of its Buttons by its global, so they carry no action.
  backButton = MakeButton("Back", {1400, 815, 150, 45}, kLabelPoints);
  resetButton = MakeButton("Reset", {1100, 700, 100, 35}, kSmallLabelPoints);
  wRotationButton = MakeButton("W Rotation", {1050, 750, 200, 35}, kSmallLabelPoints);
}

bool IsActionButton(const Button& b) { return b.action != NoAction; }

bool PointInButton(const Button& b, int32_t x, int32_t y) {
  return b.x <= x && x <= b.x + b.w && b.y <= y && y <= b.y + b.h;
}

bool PointStrictlyInButton(const Button& b, int32_t x, int32_t y) {
  return StrictlyInside({b.x, b.y, b.w, b.h}, x, y);
}

SDL_Point LabelCorner(const Button& b, int tw, int th) {
  return {b.x + (b.w - tw) / 2, b.y + (b.h - th) / 2};
}

void DrawButtonOutline(const Button& b) {
  constexpr int32_t g = kOutlineCornerGap;
  SetDrawColour(kWhite);
  SDL_RenderDrawLine(renderer, b.x, b.y + g, b.x, b.y + b.h - g);
  SDL_RenderDrawLine(renderer, b.x + b.w, b.y + g, b.x + b.w, b.y + b.h - g);
  SDL_RenderDrawLine(renderer, b.x + g, b.y, b.x + b.w - g, b.y);
  SDL_RenderDrawLine(renderer, b.x + g, b.y + b.h, b.x + b.w - g, b.y + b.h);
}
