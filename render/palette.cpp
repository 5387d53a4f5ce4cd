// The colours that belong to each player, one table for every view.
#include "render/palette.h"

#include "app/shell.h"

namespace {

// Index 0 is unused so that a player number indexes directly.
constexpr SDL_Color kMarkColours[] = {
    {0, 0, 0, 255}, {255, 0, 0, 255}, {50, 50, 255, 255}, {0, 255, 0, 255}, {255, 0, 255, 255},
    {0, 255, 255, 255}};
constexpr SDL_Color kTurnBackgrounds[] = {
    {0, 0, 0, 255}, {70, 20, 20, 255}, {20, 20, 70, 255}, {15, 55, 15, 255}, {70, 30, 70, 255},
    {30, 70, 70, 255}};
constexpr SDL_Color kPureBlue{0, 0, 255, 255};

bool IsPlayerNumber(int32_t player) { return player >= 1 && player <= 5; }

}  // namespace

bool PlayerColour(int32_t player, SDL_Color& colour) {
  if (!IsPlayerNumber(player)) return false;
  colour = kMarkColours[player];
  return true;
}

bool PlayerTint(int32_t player, SDL_Color& colour) {
  if (!PlayerColour(player, colour)) return false;
  if (player == 2) colour = kPureBlue;
  return true;
}

SDL_Color TurnBackground(int32_t player) {
  return IsPlayerNumber(player) ? kTurnBackgrounds[player] : kTurnBackgrounds[0];
}

void SetDrawColour(SDL_Color colour, uint8_t alpha) {
  SDL_SetRenderDrawColor(renderer, colour.r, colour.g, colour.b, alpha);
}
