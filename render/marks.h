// Drawing primitives every board view uses: circles, player marks, thick lines.
#pragma once

#include <cstdint>

constexpr int32_t kMarkInset = 5;  // pixels a flat mark keeps from every side of its cell

// The pixel a double coordinate lands on: truncated toward zero, as every
// projected point is, one coordinate at a time.
int32_t TruncatePixel(double coordinate);

// Midpoint circle outline in the current draw colour; nothing for a negative radius.
void DrawCircle(int32_t centreX, int32_t centreY, int32_t radius);

// The player's mark inside the cellSize square whose top-left corner is
// (cellX, cellY), in the player's colour, which stays set. Outside 1..5 it
// draws nothing and leaves the colour alone.
void DrawPlayerMark(int32_t cellX, int32_t cellY, int32_t player);

// A segment five strokes wide (centre, right, left, down, up) in the current colour.
void DrawThickLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// The player's mark in the projected views, centred on (cx, cy) with radius r,
// in the player's colour at `alpha`, which stays set; each endpoint is
// truncated separately. Outside 1..5 it draws nothing and leaves the colour alone.
void DrawProjectedMark(int32_t player, double cx, double cy, double r, uint8_t alpha);
