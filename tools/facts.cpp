// Prints the screen facts that scripts driving the real game need, read from the game's own tables:
// every Button's rectangle, every flat cell's square at the cell size its board is played with,
// and the colours a script looks for. One fact a line, fields separated by spaces.
#include <cstdio>

#include "render/colours.h"
#include "rules/layout.h"
#include "rules/state.h"
#include "screens/buttons.h"

namespace {

void PrintButton(const Button& b) {
  std::printf("button %d %d %d %d %s\n", b.x, b.y, b.w, b.h, b.label.c_str());
}

void PrintColour(const char* name, SDL_Color c) {
  std::printf("colour %s %d %d %d\n", name, c.r, c.g, c.b);
}

}  // namespace

int main() {
  BuildMenuButtons();
  for (const Button& b : menuButtons) PrintButton(b);
  for (const Button* b : {&backButton, &resetButton, &wRotationButton}) PrintButton(*b);
  // A board is played with the cell size of the Button that chooses it.
  for (const Button& b : menuButtons) {
    if (b.dimensionValue == 0) continue;
    for (int cell = 0; cell < CellCount(b.dimensionValue); ++cell) {
      const CellSquare square = CellSquareOf(b.dimensionValue, b.cellSizeValue, cell);
      std::printf("cell %d %d %d %d %d\n", b.dimensionValue, cell, square.left, square.top,
                  square.side);
    }
  }
  PrintColour("white", kWhite);
  PrintColour("black", kBlack);
  char name[16];
  for (int32_t player = 1; player <= kMaxPlayers; ++player) {
    std::snprintf(name, sizeof name, "mark%d", player);
    PrintColour(name, kMarkColours[player]);
    std::snprintf(name, sizeof name, "turn%d", player);
    PrintColour(name, TurnBackground(player));
  }
  return 0;
}
