// The line rule: what three cells in a row are, and every way the game walks over lines.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "rules/state.h"

// ---- The rule -----------------------------------------------------------------
// Three different cells u, v, w form a line, in that order, when on every axis
// w = 2v - u: the axis stays put, or runs 0, 1, 2 or 2, 1, 0. So the first two
// cells of a line fix the third, v is the middle in index order too, and the
// other operations below are each a few lines over this one.

// The index after u and v along one axis of a line, or -1 off the board.
constexpr int32_t NextIndexOnLine(int32_t u, int32_t v) {
  const int32_t w = 2 * v - u;
  return w >= 0 && w < kBoardSide ? w : -1;
}

// The cell number after the cells of indices u and v on their line, or kNoCell
// when no line starts with them. Inline: the win check calls it for every
// pair of a player's marks. 3D: (0,0,0) and (1,1,1) give 26, which is (2,2,2).
constexpr int ThirdCellOfLine(int dimensions, const CellIndices& u, const CellIndices& v) {
  int third = 0;
  bool moves = false;  // the cells differ on some axis
  for (int d = 0; d < dimensions; ++d) {
    const int32_t w = NextIndexOnLine(u[d], v[d]);
    if (w < 0) return kNoCell;
    moves = moves || u[d] != v[d];
    third = third * kBoardSide + w;
  }
  return moves ? third : kNoCell;
}

// The same for cell numbers.
constexpr int ThirdCellOfLine(int dimensions, int first, int second) {
  return ThirdCellOfLine(dimensions, IndicesOfCell(dimensions, first),
                         IndicesOfCell(dimensions, second));
}

// ---- Operations on the rule ---------------------------------------------------

// The line of three cell numbers, in the order given, as coordinate lists.
Line LineOfCells(int dimensions, int first, int second, int third);

// The line through two different cells a and b, end, middle, end; none when
// they share no line. Either may be the end the line starts from.
std::optional<Line> LineThroughCells(int dimensions, int a, int b);

using CellPair = std::array<int, 2>;  // two cell numbers

// The other two cells of each line through `cell`, every line once, in no
// particular order. Built from ThirdCellOfLine on first use.
const std::vector<CellPair>& LinesThrough(int dimensions, int cell);

// The eight lines of the 3x3 board as cell numbers (3i + j for board2[i][j]),
// in the order the two-dimensional win check examines them: rows, columns,
// the diagonal, then the other diagonal from (2, 0).
constexpr int kLines2D[8][3] = {{0, 1, 2}, {3, 4, 5}, {6, 7, 8}, {0, 3, 6},
                                {1, 4, 7}, {2, 5, 8}, {0, 4, 8}, {6, 4, 2}};

// Whether kLines2D holds every line of the 3x3 board once: each row a line,
// no two rows the same line (two lines share at most one cell), and as many
// rows as the board has lines, (5^2 - 3^2) / 2.
constexpr bool HoldsEveryLine2DOnce() {
  for (const auto& row : kLines2D) {
    if (ThirdCellOfLine(2, row[0], row[1]) != row[2]) return false;
  }
  for (const auto& row : kLines2D) {
    for (const auto& other : kLines2D) {
      int shared = 0;
      for (int a : row) {
        for (int b : other) shared += a == b;
      }
      if (&row != &other && shared > 1) return false;
    }
  }
  return std::size(kLines2D) == (25 - 9) / 2;
}
static_assert(HoldsEveryLine2DOnce(), "kLines2D is every line of the 3x3 board, once");
