// The line rule: what three cells in a row are, and every way the game walks over lines.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "rules/state.h"

// The eight lines of the 3x3 board in the order the two-dimensional win check
// examines them: rows, columns, the diagonal, then the other diagonal from (2, 0).
constexpr int kLines2D[8][3][2] = {
    {{0, 0}, {0, 1}, {0, 2}}, {{1, 0}, {1, 1}, {1, 2}}, {{2, 0}, {2, 1}, {2, 2}},
    {{0, 0}, {1, 0}, {2, 0}}, {{0, 1}, {1, 1}, {2, 1}}, {{0, 2}, {1, 2}, {2, 2}},
    {{0, 0}, {1, 1}, {2, 2}}, {{2, 0}, {1, 1}, {0, 2}},
};

// Whether u, v, w in that order form a line: every coordinate is constant,
// runs 0,1,2 or runs 2,1,0.
bool IsLineTriple(const CellCoord& u, const CellCoord& v, const CellCoord& w);

// The cell number that completes a line whose first two cells in index order
// are `first` and `second`, or -1 when no line starts that way. Inline: the
// win check calls it for every pair of a player's marks.
inline int ThirdCellOfLine(int dimensions, int first, int second);

// The line through two different cells a and b, end-middle-end, into `line`;
// clears `ok` (which the caller sets) when they share no line.
void LineThroughCells(const CellCoord& a, const CellCoord& b, Line& line, bool& ok);

// Calls visit(cellA, cellB) with the other two cell numbers of each line
// through `cell`, every line once.
template <class Visit>
void ForEachLineThrough(int dimensions, int cell, Visit visit);

// ---- Implementations kept inline for speed -----------------------------------

// Along every axis where they differ, `first` must be an end (0 or 2) and
// `second` the middle (1); the third cell is then the mirror of `first`
// through `second`. 3D: cells 0 (0,0,0) and 13 (1,1,1) give 26 (2,2,2).
inline int ThirdCellOfLine(int dimensions, int first, int second) {
  int third = 0;
  int place = 1;
  for (int d = 0; d < dimensions; ++d, first /= kBoardSide, second /= kBoardSide) {
    const int a = first % kBoardSide;
    const int b = second % kBoardSide;
    int c = a;
    if (a != b) {
      if (b != 1) return -1;
      c = 2 - a;
    }
    third += c * place;
    place *= kBoardSide;
  }
  return third;
}

// As an end the cell has one line for every non-empty set of its 0-or-2 axes,
// stepping toward the middle on each; as the middle it has one for every
// non-zero step of -1, 0 or +1 on its 1-axes, and a step and its reverse are
// the same line. Steps are in cell numbers: axis d weighs 3^d from the innermost.
template <class Visit>
void ForEachLineThrough(int dimensions, int cell, Visit visit) {
  std::array<int, kMaxDimensions> endSteps{};      // toward the middle, in cell numbers
  std::array<int, kMaxDimensions> middlePlaces{};  // 3^d of each axis where the cell is at 1
  int ends = 0;
  int middles = 0;
  for (int d = 0, place = 1, rest = cell; d < dimensions;
       ++d, place *= kBoardSide, rest /= kBoardSide) {
    const int c = rest % kBoardSide;
    if (c == 1) {
      middlePlaces[static_cast<std::size_t>(middles++)] = place;
    } else {
      endSteps[static_cast<std::size_t>(ends++)] = c == 0 ? place : -place;
    }
  }
  for (int set = 1; set < (1 << ends); ++set) {
    int step = 0;
    for (int i = 0; i < ends; ++i) step += (set >> i & 1) * endSteps[static_cast<std::size_t>(i)];
    visit(cell + step, cell + 2 * step);
  }
  // Base-3 digits of `pattern` pick each middle axis's step: 0 none, 1 up, 2 down.
  for (int pattern = 1, patterns = CellCount(middles); pattern < patterns; ++pattern) {
    int step = 0;
    for (int i = 0, rest = pattern; i < middles; ++i, rest /= kBoardSide) {
      const int digit = rest % kBoardSide;
      if (digit == 1) step += middlePlaces[static_cast<std::size_t>(i)];
      if (digit == 2) step -= middlePlaces[static_cast<std::size_t>(i)];
    }
    if (step > 0) visit(cell - step, cell + step);
  }
}
