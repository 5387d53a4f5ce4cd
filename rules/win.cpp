// Win and draw detection.
#include "rules/win.h"

#include <cstddef>
#include <vector>

namespace {

// The eight lines of the 3x3 board in the order they are examined; a later
// complete line overwrites an earlier one, so a double win records the later.
constexpr int kLines2D[8][3][2] = {
    {{0, 0}, {0, 1}, {0, 2}}, {{1, 0}, {1, 1}, {1, 2}}, {{2, 0}, {2, 1}, {2, 2}},
    {{0, 0}, {1, 0}, {2, 0}}, {{0, 1}, {1, 1}, {2, 1}}, {{0, 2}, {1, 2}, {2, 2}},
    {{0, 0}, {1, 1}, {2, 2}}, {{2, 0}, {1, 1}, {0, 2}},
};

// The cell that completes a line whose first two cells in index order are
// `first` and `second`, or -1 when no line starts that way. Along every axis
// where they differ, `first` must be an end (0 or 2) and `second` the middle
// (1); the third cell is then the mirror of `first` through `second`.
// 3D: cells 0 (0,0,0) and 13 (1,1,1) give 26 (2,2,2).
int ThirdCellOfLine(int dimensions, int first, int second) {
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

// The cell numbers holding `player`, in index order.
std::vector<int> CellsOfPlayer(int dimensions, int32_t player) {
  std::vector<int> cells;
  const int count = CellCount(dimensions);
  for (int cell = 0; cell < count; ++cell) {
    if (CellValue(dimensions, cell) == player) cells.push_back(cell);
  }
  return cells;
}

// Looks for a line of `player` and records the one that a scan of every
// triple i < j < k of the sorted cell list would record last: the largest i,
// then j. Each line shows up once, as end, middle, end, and its first two
// cells fix the third, which then always lies later in the list, so the
// first hit of a descending pair scan is that last triple.
bool RecordLastLineOf(int dimensions, int32_t player) {
  const std::vector<int> cells = CellsOfPlayer(dimensions, player);
  const int m = static_cast<int>(cells.size());
  for (int i = m - 3; i >= 0; --i) {
    for (int j = m - 2; j > i; --j) {
      const int third = ThirdCellOfLine(dimensions, cells[i], cells[j]);
      if (third < 0 || CellValue(dimensions, third) != player) continue;
      gameOver = true;
      winner = player;
      WinLine(dimensions) = {CoordOfCell(dimensions, cells[i]),
                             CoordOfCell(dimensions, cells[j]),
                             CoordOfCell(dimensions, third)};
      return true;
    }
  }
  return false;
}

// The triple scan of 3 to 5 dimensions: the highest-numbered player with a
// line is the one a player-by-player scan would leave recorded.
void CheckWinByTriples(int dimensions) {
  if (gameOver) return;
  for (int32_t player = playerCount; player >= 1; --player) {
    if (RecordLastLineOf(dimensions, player)) return;
  }
}

}  // namespace

// Every coordinate stays put or runs 0,1,2 or 2,1,0 in the order given.
bool IsLineTriple(const CellCoord& u, const CellCoord& v, const CellCoord& w) {
  for (std::size_t t = 0; t < u.size(); ++t) {
    const bool constant = u[t] == v[t] && v[t] == w[t];
    const bool rising = u[t] == 0 && v[t] == 1 && w[t] == 2;
    const bool falling = u[t] == 2 && v[t] == 1 && w[t] == 0;
    if (!constant && !rising && !falling) return false;
  }
  return true;
}

void CheckWin2D() {
  if (gameOver) return;
  for (const auto& line : kLines2D) {
    const int32_t mark = board2[line[0][0]][line[0][1]];
    if (mark == 0 || board2[line[1][0]][line[1][1]] != mark ||
        board2[line[2][0]][line[2][1]] != mark) {
      continue;
    }
    gameOver = true;
    winner = mark;
    for (int k = 0; k < 3; ++k) winLine2[k] = {line[k][0], line[k][1]};
  }
}

void CheckWin3D() { CheckWinByTriples(3); }
void CheckWin4D() { CheckWinByTriples(4); }
void CheckWin5D() { CheckWinByTriples(5); }

// A full board without a recorded win is a draw; a win found earlier in the
// frame is never turned into one.
void CheckFullBoard() {
  if (gameOver || dimensionCount < kMinDimensions || dimensionCount > kMaxDimensions) return;
  const int count = CellCount(dimensionCount);
  for (int cell = 0; cell < count; ++cell) {
    if (CellValue(dimensionCount, cell) == 0) return;
  }
  gameOver = true;
  winner = 0;
}
