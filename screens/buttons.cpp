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

// A Button of the table: its rectangle, its label's point size, and the
// setting or action its kind of Button carries; the rest sets nothing.
Button MakeButton(const char* label, SDL_Rect r, int points) {
  Button b;
  b.x = r.x;
  b.y = r.y;
  b.w = r.w;
  b.h = r.h;
  b.label = label;
  b.labelPoints = points;
  return b;
}

Button DimensionsButton(const char* label, SDL_Rect r, int32_t dimensions) {
  Button b = MakeButton(label, r, kLabelPoints);
  b.dimensionValue = dimensions;
  b.cellSizeValue = CellSizeFor(dimensions);
  return b;
}

Button PlayersButton(const char* label, SDL_Rect r, int32_t players) {
  Button b = MakeButton(label, r, kLabelPoints);
  b.playerValue = players;
  return b;
}

Button BotsButton(const char* label, SDL_Rect r, int32_t bots) {
  Button b = MakeButton(label, r, kLabelPoints);
  b.botValue = bots;
  return b;
}

Button DifficultyButton(const char* label, SDL_Rect r, Difficulty level) {
  Button b = MakeButton(label, r, kDifficultyPoints);
  b.difficultyValue = level;
  return b;
}

Button ActionButton(const char* label, SDL_Rect r, int points, ButtonAction action) {
  Button b = MakeButton(label, r, points);
  b.action = action;
  return b;
}

}  // namespace

void BuildMenuButtons() {
  menuButtons.clear();
  // Four columns: dimensions, players, bots, and on the right the actions
  // above the difficulties. Smallest value on top, 100 pixels per step down.
  menuButtons.push_back(DimensionsButton("5 Dimensions", {150, 650, 360, 60}, 5));
  menuButtons.push_back(DimensionsButton("4 Dimensions", {150, 550, 360, 60}, 4));
  menuButtons.push_back(DimensionsButton("3 Dimensions", {150, 450, 360, 60}, 3));
  menuButtons.push_back(DimensionsButton("2 Dimensions", {150, 350, 360, 60}, 2));
  menuButtons.push_back(PlayersButton("5 Players", {550, 650, 300, 60}, 5));
  menuButtons.push_back(PlayersButton("4 Players", {550, 550, 300, 60}, 4));
  menuButtons.push_back(PlayersButton("3 Players", {550, 450, 300, 60}, 3));
  menuButtons.push_back(PlayersButton("2 Players", {550, 350, 300, 60}, 2));
  menuButtons.push_back(BotsButton("4 Bots", {900, 750, 200, 60}, 4));
  menuButtons.push_back(BotsButton("3 Bots", {900, 650, 200, 60}, 3));
  menuButtons.push_back(BotsButton("2 Bots", {900, 550, 200, 60}, 2));
  menuButtons.push_back(BotsButton("1 Bots", {900, 450, 200, 60}, 1));
  menuButtons.push_back(BotsButton("0 Bots", {900, 350, 200, 60}, 0));
  menuButtons.push_back(DifficultyButton("Easy", {1225, 625, 150, 40}, Easy));
  menuButtons.push_back(DifficultyButton("Meh", {1225, 685, 150, 40}, Meh));
  menuButtons.push_back(DifficultyButton("Hard", {1225, 745, 150, 40}, Hard));
  menuButtons.push_back(ActionButton("Play", {1200, 350, 200, 60}, kLabelPoints, PlayAction));
  menuButtons.push_back(
      ActionButton("Assist Mode", {1175, 450, 250, 40}, kSmallLabelPoints, AssistAction));
  menuButtons.push_back(ActionButton("Quit", {1250, 530, 100, 35}, kSmallLabelPoints, QuitAction));

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
