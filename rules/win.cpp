// Win and draw detection.
#include "rules/win.h"

#include <vector>

#include "rules/lines.h"

namespace {

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
  std::vector<CellIndices> indices;  // decoded once, not once per pair
  for (int cell : cells) indices.push_back(IndicesOfCell(dimensions, cell));
  const int m = static_cast<int>(cells.size());
  for (int i = m - 3; i >= 0; --i) {
    for (int j = m - 2; j > i; --j) {
      const int third = ThirdCellOfLine(dimensions, indices[i], indices[j]);
      if (third == kNoCell || CellValue(dimensions, third) != player) continue;
      gameOver = true;
      winner = player;
      WinLine(dimensions) = LineOfCells(dimensions, cells[i], cells[j], third);
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

void CheckWin2D() {
  if (gameOver) return;
  for (const auto& line : kLines2D) {
    const int32_t mark = CellValue(2, line[0]);
    if (mark == 0 || CellValue(2, line[1]) != mark || CellValue(2, line[2]) != mark) continue;
    gameOver = true;
    winner = mark;
    winLine2 = LineOfCells(2, line[0], line[1], line[2]);
  }
}

void CheckWin3D() { CheckWinByTriples(3); }
void CheckWin4D() { CheckWinByTriples(4); }
void CheckWin5D() { CheckWinByTriples(5); }

// A full board without a recorded win is a draw; a win found earlier in the
// frame is never turned into one. The winner stays 0, as no line was recorded.
void CheckFullBoard() {
  if (gameOver || dimensionCount < kMinDimensions || dimensionCount > kMaxDimensions) return;
  const int count = CellCount(dimensionCount);
  for (int cell = 0; cell < count; ++cell) {
    if (CellValue(dimensionCount, cell) == 0) return;
  }
  gameOver = true;
}
