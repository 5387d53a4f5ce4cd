// The flat layout: where each cell's square lies on the 1600x900 canvas.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "rules/state.h"

struct CellSquare {
  int32_t left;  // L, canvas pixels
  int32_t top;   // T, canvas pixels
  int32_t side;  // s = cellSize
};

// Top-left corner of a 3x3 grid centred on the canvas: 800 - s/2 - s.
int32_t GridOriginX(int32_t s);
int32_t GridOriginY(int32_t s);

// The square of cell number `cell` on the board of `dimensions`, cells of side `s`.
// s = 60, 3D: x0 = 710, so board3[1][0][0] starts at (510, 360).
CellSquare CellSquareOf(int dimensions, int32_t s, int cell);

// Whether canvas point (x, y) lies inside `area` with both edges excluded: the
// hit test of the cells, "Reset" and "W Rotation".
bool StrictlyInside(const SDL_Rect& area, int32_t x, int32_t y);

// The square's centre (L + s/2, T + s/2), where flat lines start and end.
int32_t SquareCentreX(const CellSquare& square);
int32_t SquareCentreY(const CellSquare& square);

// The cell number under (x, y) on the played board, or kNoCell when the point is
// on a grid line or off the board.
int CellAtPoint(int dimensions, int32_t s, int32_t x, int32_t y);
