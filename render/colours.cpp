// The player colour look-ups over the colour table, and the clear of the whole window.
#include "render/colours.h"

#include "platform/platform.h"
#include "rules/state.h"

namespace {

bool IsPlayerNumber(int32_t player) { return player >= 1 && player <= kMaxPlayers; }

}  // namespace

bool PlayerColour(int32_t player, SDL_Color& colour) {
  if (!IsPlayerNumber(player)) return false;
  colour = kMarkColours[player];
  return true;
}

bool PlayerTint(int32_t player, SDL_Color& colour) {
  if (!PlayerColour(player, colour)) return false;
  if (player == 2) colour = kPlayer2Tint;
  return true;
}

SDL_Color TurnBackground(int32_t player) {
  return IsPlayerNumber(player) ? kTurnBackgrounds[player] : kTurnBackgrounds[0];
}

void SetDrawColour(SDL_Color colour, uint8_t alpha) {
  SDL_SetRenderDrawColor(renderer, colour.r, colour.g, colour.b, alpha);
}

void ClearWholeWindow() {
  SetDrawColour(kBlack);
  SDL_RenderClear(renderer);  // the whole target, outside the logical viewport too
}
