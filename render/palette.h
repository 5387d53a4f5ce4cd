// The colours that belong to each player, one table for every view.
#pragma once

#include <SDL.h>

#include <cstdint>

// The player's mark colour, opaque: 1 red, 2 blue (50, 50, 255), 3 green,
// 4 magenta, 5 cyan. False, leaving `colour` alone, outside 1..5.
bool PlayerColour(int32_t player, SDL_Color& colour);

// The projected views' tint for edges and assist lines: as PlayerColour but
// player 2 is pure blue (0, 0, 255). False outside 1..5.
bool PlayerTint(int32_t player, SDL_Color& colour);

// The game screen's background while `player` is to move; black outside 1..5.
SDL_Color TurnBackground(int32_t player);

// Sets the renderer's draw colour to `colour` with alpha `alpha`.
void SetDrawColour(SDL_Color colour, uint8_t alpha = 255);
