// The game screen: the board, its projected view, the Buttons and the status line.
#pragma once

#include <SDL_ttf.h>

#include <string>

#include "title/buttons.h"

// Paints the whole game screen and presents it.
void DrawGame();

// Outline, centred label (never moved) and, when hovered, an additive overlay.
void DrawButton(Button button, TTF_Font* font);

// "Game has ended in a draw", "Player 2 wins!", "Computer 1's Turn" and so on.
std::string StatusText();
