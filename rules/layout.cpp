// The flat layout: where each cell's square lies on the 1600x900 canvas.
#include "rules/layout.h"

#include <cassert>

#include "platform/platform.h"

namespace {

constexpr int32_t kCanvasCentreX = kCanvasWidth / 2;   // 800 pixels
constexpr int32_t kCanvasCentreY = kCanvasHeight / 2;  // 450 pixels
constexpr int32_t kGridPitchCells = 4;                 // neighbouring grids start 4 cells apart
constexpr int32_t kOffset3DX = -200;  // pixels: the 3D column of grids sits left of x0
constexpr int32_t kOffset4DX = -300;  // pixels: the 4D centre grid starts left of x0

// Where a cell sits in whole cells from the grid origin, plus a pixel shift.
struct GridPlace {
  int32_t column;  // cells right of x0
  int32_t row;     // cells below y0
  int32_t shiftX;  // pixels added to the left edge
};

// Grids stand 4 cells apart, so a grid index g and an index k inside the grid
// give 4g + k cells; the "- 4" terms put the middle grid at the origin.
GridPlace PlaceOfCell(int dimensions, int cell) {
  const CellIndices x = IndicesOfCell(dimensions, cell);
  const int32_t p = kGridPitchCells;
  switch (dimensions) {
    case 2:
      // board2[i][j]: column i, row j.
      return {x[0], x[1], 0};
    case 3:
      // board3[a][b][c]: grids stacked by a; board3[0][2][2] is column 2, row -2.
      return {x[1], p * x[0] + x[2] - p, kOffset3DX};
    case 4:
      // board4[a][b][c][d]: board4[0][0][0][0] is column -4, row -4.
      return {p * x[0] + x[2] - p, p * x[1] + x[3] - p, kOffset4DX};
    default:
      // board5[a][b][c][d][e]: nine grid columns 3a + b; board5[0][0][0][0][0]
      // is column -16, row -4, and board5[1][1][1][0][0] is column 0, row 0.
      return {kBoardSide * p * x[0] + p * x[1] + x[3] - 4 * p, p * x[2] + x[4] - p, 0};
  }
}

}  // namespace

// s = 60: 800 - 30 - 60 = 710.
int32_t GridOriginX(int32_t s) { return kCanvasCentreX - s / 2 - s; }

// s = 80: 450 - 40 - 80 = 330.
int32_t GridOriginY(int32_t s) { return kCanvasCentreY - s / 2 - s; }

// s = 60, 4D: board4[1][1][0][0] is column 0, row 0, so it starts at
// (710 - 300, 360) = (410, 360).
CellSquare CellSquareOf(int dimensions, int32_t s, int cell) {
  assert(dimensions >= kMinDimensions && dimensions <= kMaxDimensions);
  assert(cell >= 0 && cell < CellCount(dimensions));
  const GridPlace place = PlaceOfCell(dimensions, cell);
  return {GridOriginX(s) + place.shiftX + place.column * s, GridOriginY(s) + place.row * s, s};
}

bool StrictlyInside(const SDL_Rect& area, int32_t x, int32_t y) {
  return area.x < x && x < area.x + area.w && area.y < y && y < area.y + area.h;
}

// s = 80: board2[0][0] at (680, 330) has its centre at (720, 370).
int32_t SquareCentreX(const CellSquare& square) { return square.left + square.side / 2; }
int32_t SquareCentreY(const CellSquare& square) { return square.top + square.side / 2; }

// Visits the cells in index order. Both edges of a square are excluded, so a
// point on a grid line belongs to no cell, and the open squares never overlap:
// the first one that holds the point is the only one.
int CellAtPoint(int dimensions, int32_t s, int32_t x, int32_t y) {
  const int count = CellCount(dimensions);
  for (int cell = 0; cell < count; ++cell) {
    const CellSquare q = CellSquareOf(dimensions, s, cell);
    if (StrictlyInside({q.left, q.top, q.side, q.side}, x, y)) return cell;
  }
  return kNoCell;
}
