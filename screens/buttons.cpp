// The Button record, the 19 title-screen Buttons and the three game-screen Buttons.
#include "screens/buttons.h"

#include "platform/platform.h"
#include "render/colours.h"

std::vector<Button> menuButtons;
Button backButton;
Button resetButton;
Button wRotationButton;

namespace {

constexpr int32_t kOutlineCornerGap = 10;  // pixels left open at each end of an outline side

Button SettingButton(const char* label, SDL_Rect r, int32_t players, int32_t dimensions,
                     int32_t bots, int32_t level, int32_t cellSizeValue = 0) {
  Button b;
  b.x = r.x;
  b.y = r.y;
  b.w = r.w;
  b.h = r.h;
  b.label = label;
  b.playerValue = players;
  b.dimensionValue = dimensions;
  b.botValue = bots;
  b.difficultyValue = level;
  b.cellSizeValue = cellSizeValue;
  return b;
}

Button ActionButton(const char* label, SDL_Rect r) { return SettingButton(label, r, 0, 0, -1, 0); }

}  // namespace

void BuildMenuButtons() {
  menuButtons.clear();
  // Four columns: dimensions, players, bots, and on the right the actions
  // above the difficulties. Smallest value on top, 100 pixels per step down.
  menuButtons.push_back(SettingButton("5 Dimensions", {150, 650, 360, 60}, 0, 5, -1, 0, 40));
  menuButtons.push_back(SettingButton("4 Dimensions", {150, 550, 360, 60}, 0, 4, -1, 0, 60));
  menuButtons.push_back(SettingButton("3 Dimensions", {150, 450, 360, 60}, 0, 3, -1, 0, 60));
  menuButtons.push_back(SettingButton("2 Dimensions", {150, 350, 360, 60}, 0, 2, -1, 0, 80));
  menuButtons.push_back(SettingButton("5 Players", {550, 650, 300, 60}, 5, 0, -1, 0));
  menuButtons.push_back(SettingButton("4 Players", {550, 550, 300, 60}, 4, 0, -1, 0));
  menuButtons.push_back(SettingButton("3 Players", {550, 450, 300, 60}, 3, 0, -1, 0));
  menuButtons.push_back(SettingButton("2 Players", {550, 350, 300, 60}, 2, 0, -1, 0));
  menuButtons.push_back(SettingButton("4 Bots", {900, 750, 200, 60}, 0, 0, 4, 0));
  menuButtons.push_back(SettingButton("3 Bots", {900, 650, 200, 60}, 0, 0, 3, 0));
  menuButtons.push_back(SettingButton("2 Bots", {900, 550, 200, 60}, 0, 0, 2, 0));
  menuButtons.push_back(SettingButton("1 Bots", {900, 450, 200, 60}, 0, 0, 1, 0));
  menuButtons.push_back(SettingButton("0 Bots", {900, 350, 200, 60}, 0, 0, 0, 0));
  menuButtons.push_back(SettingButton("Easy", {1225, 625, 150, 40}, 0, 0, -1, 1));
  menuButtons.push_back(SettingButton("Meh", {1225, 685, 150, 40}, 0, 0, -1, 2));
  menuButtons.push_back(SettingButton("Hard", {1225, 745, 150, 40}, 0, 0, -1, 3));
  menuButtons.push_back(ActionButton("Play", {1200, 350, 200, 60}));
  menuButtons.push_back(ActionButton("Assist Mode", {1175, 450, 250, 40}));
  menuButtons.push_back(ActionButton("Quit", {1250, 530, 100, 35}));

  backButton = ActionButton("Back", {1400, 815, 150, 45});
  resetButton = ActionButton("Reset", {1100, 700, 100, 35});
  wRotationButton = ActionButton("W Rotation", {1050, 750, 200, 35});
}

bool IsActionButton(const Button& b) {
  return b.playerValue == 0 && b.dimensionValue == 0 && b.botValue == -1 && b.difficultyValue == 0;
}

bool PointInButton(const Button& b, int32_t x, int32_t y) {
  return b.x <= x && x <= b.x + b.w && b.y <= y && y <= b.y + b.h;
}

bool PointStrictlyInButton(const Button& b, int32_t x, int32_t y) {
  return b.x < x && x < b.x + b.w && b.y < y && y < b.y + b.h;
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
