// Every colour the game draws, named in one table, with the player colour look-ups.
#pragma once

#include <SDL.h>

#include <cstdint>

// ---- The colour table --------------------------------------------------------

constexpr SDL_Color kWhite{255, 255, 255, 255};  // grid lines, outlines, text, lattice edges
constexpr SDL_Color kBlack{0, 0, 0, 255};        // a game screen once it is over; letterbox bars

// Mark colours by player number; index 0 is unused so that a number indexes directly.
constexpr SDL_Color kMarkColours[] = {kBlack,           {255, 0, 0, 255},   {50, 50, 255, 255},
                                      {0, 255, 0, 255}, {255, 0, 255, 255}, {0, 255, 255, 255}};
// The game screen's background while each player is to move; index 0, for no player, is black.
constexpr SDL_Color kTurnBackgrounds[] = {
    kBlack,           {70, 20, 20, 255}, {20, 20, 70, 255}, {15, 55, 15, 255}, {70, 30, 70, 255},
    {30, 70, 70, 255}};
constexpr SDL_Color kPlayer2Tint{0, 0, 255, 255};  // player 2 in the projected views: pure blue

// Overlays: white or black at a strength, added or blended over what lies beneath.
constexpr SDL_Color kSelectedShade{0, 0, 0, 150};        // title: blended over a selected Button
constexpr SDL_Color kTitleHoverTint{255, 255, 255, 20};  // title: added over the hovered Button
constexpr uint8_t kCellHoverAlpha = 20;                  // game: white added over the hovered cell
constexpr uint8_t kButtonHoverAlpha = 40;                // game: white added over a hovered Button
constexpr uint8_t kDimMarkAlpha = 75;         // projected marks in play, and losing ones after
constexpr uint8_t kWinMarkAlpha = 255;        // projected marks of the winning line
constexpr uint8_t kAssistAlpha = 255;         // projected assist lines
constexpr uint8_t kCubeEdgeAlpha = 40;        // cube edges, added over each other
constexpr uint8_t kTesseractEdgeAlpha = 10;   // fainter: 81 tesseracts overlap far more
constexpr uint8_t kCubeHoverAlpha = 30;       // each face of the hovered cube
constexpr uint8_t kTesseractHoverAlpha = 15;  // each face of the hovered tesseract

// The title background cycles red and blue between these levels; green is
// 50 - red, which keeps the screen dark.
constexpr double kBackgroundLevelLow = 0.0;
constexpr double kBackgroundLevelHigh = 50.0;
constexpr int kBackgroundRedGreenSum = 50;

// ---- Look-ups ----------------------------------------------------------------

// The player's mark colour, opaque. False, leaving `colour` alone, outside 1..5.
bool PlayerColour(int32_t player, SDL_Color& colour);

// The projected views' tint for edges and assist lines: as PlayerColour but
// player 2 is pure blue. False outside 1..5.
bool PlayerTint(int32_t player, SDL_Color& colour);

// The game screen's background while `player` is to move; black outside 1..5.
SDL_Color TurnBackground(int32_t player);

// Sets the renderer's draw colour to `colour` with alpha `alpha`.
void SetDrawColour(SDL_Color colour, uint8_t alpha = 255);

// Paints the whole window black, the bars beside or above the canvas included:
// the screens fill only the canvas, and without this the bars would show
// whatever the back buffer held after the last present.
void ClearWholeWindow();
